// Telling a screen reader something, the keyboard left where it is.
#pragma once

#include <QWidget>

namespace platform {

// An object that screen readers speak when it appears, as they speak a desktop notification:
// it says what it is told (the title of a page the user asked for once it has loaded, the
// count of matches found, a download's end) while the keyboard stays where it was. Nothing of
// it shows on the screen.
class Announcer final : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};

} // namespace platform
