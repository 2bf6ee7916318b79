// A page's alert, confirm and prompt boxes, which never trap the user.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QDialog;
class QUrl;
class QWidget;

namespace platform {

// The alert, confirm and prompt boxes of a page's scripts. They hold up the page, never the
// program: the main window stays usable, and closing it ends the box and every later one.
// From the second box that follows soon after another, the user may stop the page's boxes
// until another page is shown.
class PageDialogs final : public QObject
{
    Q_OBJECT

public:
    enum Kind { Alert, Confirm, Prompt };

    explicit PageDialogs(QWidget *view);

    // The text entered (empty for an alert or a confirm) when the user answers OK; nothing when
    // the user cancels, or when the box is not shown at all.
    std::optional<QString> ask(Kind kind, const QUrl &origin, const QString &text,
                               const QString &defaultValue = {});

    // Another page has been committed to be shown: its boxes are shown, whatever became of the
    // page before's.
    void committed() { m_stopped = m_leaving = false; }
    // The user goes elsewhere: a box that is open closes, and the page being left shows no
    // other while it is still shown (until the next page is committed, the navigation has
    // ended, or the page's renderer has).
    void leave();
    void left() { m_leaving = false; }
    // Whether a box is open: the page waits for the user's answer.
    bool isOpen() const { return !m_open.isNull(); }
    // Whether a box the page asks for now is shown.
    bool shows() const { return m_open.isNull() && !m_stopped && !m_leaving && !m_closing; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_view;
    QPointer<QDialog> m_open;
    QPointer<QWidget> m_watched;
    QElapsedTimer m_sinceLast;
    bool m_stopped = false;
    bool m_leaving = false;
    bool m_closing = false;
};

} // namespace platform
