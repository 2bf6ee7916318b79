// A fake web view that records its calls.
#pragma once

#include "platform/error.h"
#include "platform/twips.h"
#include "platform/web_view.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QWidget>

// A web view that records every call as one line ("Navigate <address>", "setWidth <twips>")
// and raises a platform::Error for the operations named in `failing`. Sizes it accepts are
// applied to its pane like the real one does, so the widget tests can measure them.
class FakeWebView final : public QWidget, public platform::WebView
{
public:
    QStringList calls;
    QSet<QString> failing;
    // Operations that fail the next so many times, then succeed.
    QHash<QString, int> failTimes;

    QStringList navigations() const
    {
        QStringList result;
        for (const QString &call : calls)
            if (call.startsWith(QStringLiteral("Navigate ")))
                result << call.mid(9);
        return result;
    }

    void Navigate(const QString &address) override { record(QStringLiteral("Navigate"), address); }
    void GoBack() override { record(QStringLiteral("GoBack")); }
    void GoForward() override { record(QStringLiteral("GoForward")); }
    void Refresh() override { record(QStringLiteral("Refresh")); }
    void setWidth(float twips) override
    {
        record(QStringLiteral("setWidth"), QString::number(twips));
        resize(checked(twips), height());
    }
    void setHeight(float twips) override
    {
        record(QStringLiteral("setHeight"), QString::number(twips));
        resize(width(), checked(twips));
    }
    QWidget *widget() override { return this; }

private:
    void record(const QString &operation, const QString &argument = {})
    {
        calls << (argument.isNull() ? operation : operation + QLatin1Char(' ') + argument);
        if (failTimes.value(operation) > 0)
            --failTimes[operation];
        else if (!failing.contains(operation))
            return;
        throw platform::Error(platform::kOperationFailed, operation.toStdString() + " failed");
    }

    static int checked(float twips)
    {
        if (twips < 0)
            throw platform::Error(platform::kInvalidPropertyValue);
        return platform::toPixels(twips);
    }
};
