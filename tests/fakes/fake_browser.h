// A main window made with fake platform objects, and a fake file dialog.
#pragma once

#include "fake_about_platform.h"
#include "fake_message_box.h"
#include "fake_web_view.h"
#include "main_window/frm_browser.h"
#include "platform/browser_platform.h"

#include <QSet>
#include <QStringList>

#include <deque>
#include <memory>

// A file dialog that records the title and filter it is given and plays back scripted results
// of ShowOpen: a file name chosen, or an error (a cancel is kCancel).
class FakeFileDialog final : public platform::FileDialog
{
public:
    struct Result
    {
        QString fileName; // chosen when error is 0
        std::int32_t error = 0;
        std::string description;

        static Result chosen(const QString &name) { return {name, 0, {}}; }
        static Result failure(std::int32_t error, const std::string &description)
        {
            return {{}, error, description};
        }
        static Result failure(const platform::ErrorKind &kind)
        {
            return failure(kind.number, kind.description);
        }
    };
    std::deque<Result> results;
    mutable QStringList calls; // "title <t>", "filter <f>", "ShowOpen", "FileName"
    QString fileName;

    void setDialogTitle(const QString &title) override
    {
        calls << QStringLiteral("title ") + title;
    }
    void setFilter(const QString &filter) override { calls << QStringLiteral("filter ") + filter; }
    void ShowOpen() override
    {
        calls << QStringLiteral("ShowOpen");
        const Result result =
            results.empty() ? Result::failure(platform::kCancel) : results.front();
        if (!results.empty())
            results.pop_front();
        if (result.error)
            throw platform::Error(result.error, result.description);
        fileName = result.fileName;
    }
    QString FileName() const override
    {
        calls << QStringLiteral("FileName");
        return fileName;
    }
};

// A main window made with fakes for every platform object.
struct FakeBrowser
{
    FakeWebView *web = nullptr;
    FakeFileDialog *dialog = nullptr;
    FakeMessageBox *messages = nullptr;
    std::shared_ptr<int> aboutDialogsMade = std::make_shared<int>(0);
    std::unique_ptr<frmBrowser> window;

    explicit FakeBrowser(QSet<QString> failing = {})
    {
        auto webView = std::make_unique<FakeWebView>();
        auto fileDialog = std::make_unique<FakeFileDialog>();
        auto messageBox = std::make_unique<FakeMessageBox>();
        web = webView.get();
        dialog = fileDialog.get();
        messages = messageBox.get();
        web->failing = std::move(failing);
        web->setFocusPolicy(Qt::StrongFocus);
        auto made = aboutDialogsMade;
        window = std::make_unique<frmBrowser>(platform::BrowserPlatform{
            std::move(webView), std::move(fileDialog), std::move(messageBox), [made] {
                ++*made;
                return platform::AboutPlatform{
                    std::make_unique<FakeRegistry>(), std::make_unique<FakeFileTest>(),
                    std::make_unique<FakeProgramStart>(), std::make_unique<FakeMessageBox>()};
            }});
    }
};
