// The menu commands that browse the web view's history, open a saved page, show help and
// the About dialog, and close the window.
#include "frm_browser.h"

#include "about/frm_about.h"
#include "platform/resume_next.h"

#include <functional>

using namespace Qt::StringLiterals;
using platform::MessageBox;

void frmBrowser::mnuRefresh_Click()
{
    platform::resumeNext([&] { WebBrowser.Refresh(); });
}

void frmBrowser::mnuPrevious_Click()
{
    BrowseBack();
}

void frmBrowser::mnuNext_Click()
{
    BrowseForward();
}

void frmBrowser::BrowseBack()
{
    platform::resumeNext([&] { WebBrowser.GoBack(); });
}

void frmBrowser::BrowseForward()
{
    platform::resumeNext([&] { WebBrowser.GoForward(); });
}

// Each step may fail; the user then chooses to end the command (Abort), to run the failed
// step again (Retry) or to go on with the next one (Ignore). A cancel in the dialog ends it
// quietly.
void frmBrowser::mnuOpen_Click()
{
    platform::FileDialog &dialog = Opener;
    const std::function<void()> steps[] = {
        [&] { dialog.setDialogTitle(u"Browse for offline web pages"_s); },
        [&] { dialog.setFilter(u"WebPages|*.htm; *.html"_s); },
        [&] { dialog.ShowOpen(); },
        [&] { WebBrowser.Navigate(dialog.FileName()); },
    };
    for (std::size_t step = 0; step < std::size(steps);) {
        try {
            steps[step]();
            ++step;
        } catch (const platform::Error &error) {
            if (error.number() == platform::kCancel.number)
                return;
            const std::string prompt = std::to_string(error.number()) + ' ' + error.description();
            const std::string title = "ERROR:  " + error.description();
            switch (m_platform.messages->MsgBox(prompt, MessageBox::AbortRetryIgnore,
                                                MessageBox::Critical, title)) {
            case MessageBox::Retry:
                break;
            case MessageBox::Ignore:
                ++step;
                break;
            default:
                return;
            }
        }
    }
}

void frmBrowser::mnuContent_Click()
{
    m_platform.messages->MsgBox("Select from the left list your news category,\r\n"
                                "then select from the right list the news sub-category.\r\n"
                                "Zel Tidewell will bring the updated news.",
                                MessageBox::OkOnly, MessageBox::Information, "Help");
}

// A new dialog each time, shown modeless with no owner; it lives until the user closes it.
void frmBrowser::mnuAbout_Click()
{
    auto about = std::make_unique<frmAbout>(m_platform.aboutPlatform());
    about->show();
    about.release();
}

void frmBrowser::mnuClose_Click()
{
    close();
}
