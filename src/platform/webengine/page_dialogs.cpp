// A page's alert, confirm and prompt boxes, which never trap the user.
#include "page_dialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// A box that comes sooner than this after the last one ended offers to stop the page's boxes.
constexpr qint64 kSoonMs = 3000;

} // namespace

PageDialogs::PageDialogs(QWidget *view)
    : QObject(view)
    , m_view(view)
{}

bool PageDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched && event->type() == QEvent::Close) {
        m_closing = true;
        if (m_open)
            m_open->reject();
    }
    return QObject::eventFilter(watched, event);
}

void PageDialogs::leave()
{
    if (!m_open)
        return;
    m_leaving = true;
    m_open->reject();
}

std::optional<QString> PageDialogs::ask(Kind kind, const QUrl &origin, const QString &text,
                                        const QString &defaultValue)
{
    // One box at a time; none once the page's boxes are stopped, the user is leaving the page
    // or the window is closing.
    if (!shows())
        return std::nullopt;
    QWidget *window = m_view->window();
    if (m_watched != window) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        m_watched = window;
        window->installEventFilter(this);
    }

    QDialog dialog(window);
    const QString host = origin.host();
    dialog.setWindowTitle(host.isEmpty() ? u"This page says"_s : host + u" says"_s);
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(text, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);
    QLineEdit *entry = nullptr;
    if (kind == Prompt) {
        entry = new QLineEdit(defaultValue, &dialog);
        layout->addWidget(entry);
    }
    QCheckBox *stop = nullptr;
    if (m_sinceLast.isValid() && m_sinceLast.elapsed() < kSoonMs) {
        stop = new QCheckBox(u"Don't let this page show more dialogs"_s, &dialog);
        layout->addWidget(stop);
    }
    auto *buttons = new QDialogButtonBox(
        kind == Alert ? QDialogButtonBox::Ok : QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
        &dialog);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    // Not modal: the page waits for the answer, the program does not.
    QEventLoop loop;
    connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    m_open = &dialog;
    dialog.show();
    loop.exec();
    m_open = nullptr;
    m_sinceLast.restart();
    if (stop && stop->isChecked())
        m_stopped = true;
    if (dialog.result() != QDialog::Accepted || m_closing)
        return std::nullopt;
    return entry ? entry->text() : QString();
}

} // namespace platform
