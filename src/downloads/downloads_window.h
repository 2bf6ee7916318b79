// The downloads window: a row for each download, with its progress and its end.
#pragma once

#include <QWidget>

class QVBoxLayout;

namespace platform {
class Announcer;
}

namespace downloads {

class Download;

// A small window with one row per download: its name, how much has come, its speed and the time
// left, a progress bar and a Cancel button; at the end "Completed" with its size (and a button
// that opens the folder, or says that no program is set up to), the reason it failed, or why it
// was refused. Closing the window stops nothing.
class DownloadsWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadsWindow(QWidget *owner);

    void add(Download *download);

private:
    QVBoxLayout *m_rows = nullptr;
    platform::Announcer *m_announcer = nullptr;
};

} // namespace downloads
