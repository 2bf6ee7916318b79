// Zel Tidewell — a small desktop news reader.
#pragma once

#include "platform/save_dialog.h"
#include "platform/web_view.h"

#include <QWebEngineView>

#include <memory>

namespace platform {

class Downloads;

// The web view on Qt WebEngine, with the default (off-the-record) profile: nothing of what it
// visits is written to disk. Links and scripts that ask for a new window open in this view.
// Downloads are saved where the save dialog says.
class QtWebView final : public QWebEngineView, public WebView
{
    Q_OBJECT

public:
    explicit QtWebView(std::unique_ptr<SaveDialog> saveDialog, QWidget *parent = nullptr);

    const Downloads &downloads() const { return *m_downloads; }

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    QWidget *widget() override { return this; }

private:
    Downloads *m_downloads = nullptr;
};

} // namespace platform
