#include "client/platform/fakeservices.h"
#include "client/session/messagewindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace Session;
using B = DialogButton;

namespace {

class MessageWindowTest : public ::testing::Test
{
protected:
    Platform::FakeServices m_fake;
    Platform::ScopedServices m_installed{m_fake};
};

void activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST_F(MessageWindowTest, QuestionWithFirstButtonNoStillFocusesYes)
{
    MessageWindow w({u"Programdan Çıkmak İstiyor musunuz ?"_s, DialogKind::Question, B::Yes | B::No, B::No});
    activate(w);

    QPushButton *yes = w.button(B::Yes);
    QPushButton *no = w.button(B::No);
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(yes->text(), u"Evet"_s);
    EXPECT_EQ(no->text(), u"Hayır"_s);
    EXPECT_EQ(w.windowTitle(), u"Soru"_s);
    EXPECT_EQ(QApplication::focusWidget(), yes);
    EXPECT_TRUE(yes->isDefault());
    EXPECT_FALSE(no->isDefault());
    EXPECT_EQ(no->nextInFocusChain(), yes); // "Hayır" leads the Tab order
    EXPECT_LT(yes->geometry().left(), no->geometry().left());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.answer(), B::Yes);
    EXPECT_EQ(m_fake.sounds(), QList<Platform::Sound>{Platform::Sound::Question});
}

TEST_F(MessageWindowTest, KeysFollowTheDefaultAndEscapeRules)
{
    struct
    {
        DialogButtons buttons;
        Qt::Key key;
        B expected; // None: the window stays open
    } cases[] = {
        {B::Yes | B::No, Qt::Key_Escape, B::No},
        {B::Ok, Qt::Key_Escape, B::Ok},
        {B::Ok, Qt::Key_Return, B::Ok},
        {B::Ok | B::Cancel, Qt::Key_Escape, B::Cancel},
        {B::Retry | B::Cancel, Qt::Key_Enter, B::Retry},
        {B::Abort | B::Retry | B::Ignore, Qt::Key_Escape, B::None},
    };
    for (const auto &c : cases) {
        MessageWindow w({u"metin"_s, DialogKind::Warning, c.buttons, B::None});
        activate(w);
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(w.answer(), c.expected) << int(c.buttons) << ' ' << c.key;
        EXPECT_EQ(w.isVisible(), c.expected == B::None);
    }
}

TEST_F(MessageWindowTest, KindGivesTitleMessageFontAndCloseBoxAnswer)
{
    const struct
    {
        DialogKind kind;
        QString title;
        Platform::Sound sound;
    } kinds[] = {
        {DialogKind::Warning, u"Uyarı"_s, Platform::Sound::Exclamation},
        {DialogKind::Error, u"Hata"_s, Platform::Sound::Error},
        {DialogKind::Information, u"Bilgi"_s, Platform::Sound::Information},
    };
    for (const auto &k : kinds) {
        MessageWindow w({u"Siparişiniz Gönderildi !"_s, k.kind, B::Abort | B::Ignore, B::None});
        activate(w);
        EXPECT_EQ(w.windowTitle(), k.title);
        auto *label = w.findChild<QLabel *>(u"message"_s);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text(), u"Siparişiniz Gönderildi !"_s);
        EXPECT_EQ(label->font().pointSize(), 15);
        EXPECT_EQ(m_fake.sounds().last(), k.sound);
        w.close(); // no Escape button: the close box reads as "Vazgeç"
        EXPECT_EQ(w.answer(), B::Cancel);
    }
}

TEST_F(MessageWindowTest, PresenterRunsTheWindowModallyOverTheActiveWindow)
{
    QWidget owner;
    owner.resize(800, 600);
    activate(owner);
    WindowPresenter presenter;
    installPresenter(&presenter);

    QPoint ownerCentre = owner.frameGeometry().center();
    QPoint dialogCentre;
    QTimer::singleShot(0, &owner, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_TRUE(modal);
        dialogCentre = modal->frameGeometry().center();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    const B answer = MessageDialog(u"Silinsin mi ?"_s, DialogKind::Question, B::Yes | B::No);
    installPresenter(nullptr);

    EXPECT_EQ(answer, B::No);
    EXPECT_LE((dialogCentre - ownerCentre).manhattanLength(), 4);
}

} // namespace
