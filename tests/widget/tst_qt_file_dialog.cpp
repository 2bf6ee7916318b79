// The file-open dialog on Qt's file dialog, driven by its keys.
#include "platform/error.h"
#include "platform/qt/qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class QtFileDialogTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Runs answer on the dialog once ShowOpen has put it up.
    template <typename Answer> void whenShown(Answer answer)
    {
        QTimer::singleShot(0, this, [answer] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog is shown");
            answer(dialog);
        });
    }

private slots:
    void filtersAsQtShowsThem_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("web pages")
            << u"WebPages|*.htm; *.html"_s << QStringList(u"WebPages (*.htm *.html)"_s);
        QTest::newRow("two entries") << u"Pages|*.htm|All files|*.*"_s
                                     << QStringList({u"Pages (*.htm)"_s, u"All files (*.*)"_s});
    }
    void filtersAsQtShowsThem()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QCOMPARE(platform::QtFileDialog::nameFilters(filter), shown);
    }

    void remembersTheLastFileAndLeavesNoDialogBehind()
    {
        const QString page = m_dir.filePath(u"saved page #1.htm"_s);
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        platform::QtFileDialog opener;
        opener.setDialogTitle(u"Browse for offline web pages"_s);
        opener.setFilter(u"WebPages|*.htm; *.html"_s);
        QPointer<QFileDialog> first;
        QString title;
        QStringList filters;
        whenShown([&](QFileDialog *dialog) {
            first = dialog;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->selectFile(page);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        opener.ShowOpen();
        QCOMPARE(title, u"Browse for offline web pages"_s);
        QCOMPARE(filters, QStringList(u"WebPages (*.htm *.html)"_s));
        QCOMPARE(opener.FileName(), page);
        // Nothing of the dialog (its completion popup included) outlives the showing.
        QVERIFY(!first);

        // The next showing offers the file chosen last; a cancel keeps it.
        QStringList offered;
        whenShown([&](QFileDialog *dialog) {
            offered = dialog->selectedFiles();
            dialog->reject();
        });
        try {
            opener.ShowOpen();
            QFAIL("a cancel raised no error");
        } catch (const platform::Error &error) {
            QCOMPARE(error.number(), platform::kCancel.number);
        }
        QCOMPARE(offered, QStringList(page));
        QCOMPARE(opener.FileName(), page);
    }
};

QTEST_MAIN(QtFileDialogTest)
#include "tst_qt_file_dialog.moc"
