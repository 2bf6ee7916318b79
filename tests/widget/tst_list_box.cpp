// The list box: Click for each choice by mouse and keyboard, none from the program.
#include "main_window/list_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class ListBoxTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ListBox> m_list;
    std::unique_ptr<QSignalSpy> m_clicks;

    QPoint centreOf(int row) const { return m_list->visualItemRect(m_list->item(row)).center(); }
    void click(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_list->viewport(), button, {}, centreOf(row));
    }

private slots:
    void init()
    {
        m_list = std::make_unique<ListBox>();
        for (const QString &caption : {u"Golf"_s, u"Tennis"_s, u"Chess"_s})
            m_list->AddItem(caption);
        m_list->resize(200, 120);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
        m_clicks = std::make_unique<QSignalSpy>(m_list.get(), &ListBox::Click);
    }
    void cleanup()
    {
        m_clicks.reset();
        m_list.reset();
    }

    void mouseClickNotifiesOnceEvenOnTheSelectedItem()
    {
        click(1);
        QCOMPARE(m_clicks->size(), 1);
        QCOMPARE(m_list->ListIndex(), 1);
        click(1);
        QCOMPARE(m_clicks->size(), 2);
        click(2);
        QCOMPARE(m_clicks->size(), 3);
        QCOMPARE(m_list->ListIndex(), 2);
    }

    void doubleClickNotifiesOnce()
    {
        // What the window system delivers for a double click: press, release, double click,
        // release.
        QWidget *viewport = m_list->viewport();
        const QPoint at = centreOf(0);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QMouseEvent dblClick(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at),
                             Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &dblClick);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(m_clicks->size(), 1);
    }

    void otherButtonsAndEmptySpaceDoNotNotify()
    {
        click(0, Qt::RightButton);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(100, 110));
        QCOMPARE(m_clicks->size(), 0);
    }

    void keyboardSelectionChangeNotifies()
    {
        click(0);
        QTest::keyClick(m_list.get(), Qt::Key_Down);
        QCOMPARE(m_list->ListIndex(), 1);
        QCOMPARE(m_clicks->size(), 2);
        QTest::keyClick(m_list.get(), Qt::Key_End);
        QCOMPARE(m_list->ListIndex(), 2);
        QCOMPARE(m_clicks->size(), 3);
        // At the end already: nothing changes, nothing is notified.
        QTest::keyClick(m_list.get(), Qt::Key_Down);
        QCOMPARE(m_clicks->size(), 3);
        QTest::keyClick(m_list.get(), Qt::Key_Up);
        QCOMPARE(m_list->ListIndex(), 1);
        QCOMPARE(m_clicks->size(), 4);
    }

    void firstStepWithNothingSelectedChoosesTheFirstItem_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("refilled");
        QTest::newRow("down") << int(Qt::Key_Down) << false;
        QTest::newRow("up") << int(Qt::Key_Up) << false;
        QTest::newRow("down after a refill") << int(Qt::Key_Down) << true;
    }
    void firstStepWithNothingSelectedChoosesTheFirstItem()
    {
        QFETCH(int, key);
        QFETCH(bool, refilled);
        m_list->activateWindow();
        m_list->setFocus();
        QTRY_VERIFY(m_list->hasFocus());
        if (refilled) {
            click(2);
            m_list->Clear();
            for (const QString &caption : {u"Golf"_s, u"Tennis"_s, u"Chess"_s})
                m_list->AddItem(caption);
            m_clicks->clear();
        }
        QTest::keyClick(m_list.get(), Qt::Key(key));
        QCOMPARE(m_list->ListIndex(), 0);
        QCOMPARE(m_clicks->size(), 1);
        QTest::keyClick(m_list.get(), Qt::Key_Down);
        QCOMPARE(m_list->ListIndex(), 1);
        QCOMPARE(m_clicks->size(), 2);
    }

    void programChangesNotifyNothing()
    {
        m_list->setCurrentRow(1);
        m_list->Clear();
        m_list->AddItem(u"Golf"_s);
        m_list->setItemData(0, 7);
        QCOMPARE(m_list->ItemData(0), 7);
        QCOMPARE(m_list->ListIndex(), -1);
        QCOMPARE(m_clicks->size(), 0);
    }
};

QTEST_MAIN(ListBoxTest)
#include "tst_list_box.moc"
