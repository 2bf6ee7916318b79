// A menu opened by Alt and its letter stays open when the Alt press is delivered late.
#include "menu_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace platform {

namespace {

// Each key is first offered to the shortcuts at once, with the time it was pressed, even while
// its press is held back; a press delivered late is offered again without a time, which moves
// nothing here.
class LateAltFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            const auto *key = static_cast<const QKeyEvent *>(event);
            quint64 &at = key->key() == Qt::Key_Alt ? m_altAt : m_keyAt;
            at = std::max(at, quint64(key->timestamp()));
            break;
        }
        case QEvent::Show:
            if (qobject_cast<QMenu *>(watched))
                m_menuAt = m_keyAt;
            break;
        case QEvent::KeyPress:
            // The Alt of the keys that opened the menu, pressed before its letter.
            return static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Alt &&
                   qobject_cast<QMenu *>(QApplication::activePopupWidget()) && m_altAt <= m_menuAt;
        default:
            break;
        }
        return false;
    }

private:
    quint64 m_altAt = 0;  // the last Alt pressed
    quint64 m_keyAt = 0;  // the last other key pressed
    quint64 m_menuAt = 0; // the key pressed as the open menu opened
};

} // namespace

void keepMenusFromALateAlt(QObject *application)
{
    application->installEventFilter(new LateAltFilter(application));
}

} // namespace platform
