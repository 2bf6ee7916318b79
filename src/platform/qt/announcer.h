// Telling a screen reader something, the keyboard left where it is.
#pragma once

#include <QWidget>

namespace platform {

// An object that screen readers speak when it appears, as they speak a desktop notification:
// it says what it is told (the title of a page the user asked for once it has loaded, the
// count of matches found, a download's end) while the keyboard stays where it was. Nothing of
// it shows on the screen. A screen reader speaks such objects of the active window only: what
// it is told is told in the program's active window, wherever the announcer lies.
class Announcer final : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void tell(const QString &text);
};

} // namespace platform
