// Telling a screen reader the title of a page that has loaded, the keyboard left where it is.
#pragma once

#include <QWidget>

namespace reader_pane {

// An object that screen readers speak when it appears, as they speak a desktop notification:
// it says the title of a page the user asked for once the page has loaded, while the keyboard
// stays where it was. Nothing of it shows on the screen.
class PageAnnouncer final : public QWidget
{
    Q_OBJECT

public:
    explicit PageAnnouncer(QWidget *parent);

    void announce(const QString &title);
};

} // namespace reader_pane
