// A top-level window's outer size in twips, kept true while its frame comes and goes.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QSize>

class QWidget;

namespace platform {

// The outer size of a top-level window (frame, title bar and menu bar included), in twips.
// Attached to the window and gone with it. A size set before the window manager has framed
// the window is kept as the outer size once the frame shows up. A window that would not lie
// wholly inside its screen's available area when first shown (a small screen) is moved just
// enough to once its frame is known, or as it is shown where no window manager frames it,
// keeping its size; one that fits keeps its place.
class OuterSize final : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit OuterSize(QWidget *window);
    ~OuterSize() override;

    float width() const;
    float height() const;
    // Raise platform::Error kCannotSizeWindow while the window is minimized or maximized.
    void setWidth(float twips);
    void setHeight(float twips);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QSize frameExtent() const;
    void checkSizable() const;
    void adoptFrame();
    void fitOnScreen();
    void settle();

    QWidget *m_window;
    // The frame that the outer size was last computed with; most window systems tell it only
    // once the window is on screen.
    QSize m_frameUsed;
    bool m_frameSettled = false;
    // The outer size last set, in twips: it reads back as set while the window still has the
    // pixel size it was rounded to.
    float m_setWidth = -1.0f;
    float m_setHeight = -1.0f;
};

} // namespace platform
