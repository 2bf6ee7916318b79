// The web view interface: where to go, and how large to be.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// The embedded web view: it fetches, renders and keeps the history of every page; the window
// only tells it where to go and how large to be. Every operation raises platform::Error when
// it cannot do what it is asked.
class WebView
{
public:
    virtual ~WebView() = default;

    // Goes to an absolute URL or to a local file given by its path; does not wait for the load.
    virtual void Navigate(const QString &address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    // A negative size is refused and leaves that dimension as it was; 0 is applied.
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;

    // The pane that the window places in its client area: the view itself, as a widget, which
    // the widget it is placed in owns from then on.
    virtual QWidget *widget() = 0;
};

} // namespace platform
