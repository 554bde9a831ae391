#include "client/session/addresses.h"
#include "client/session/formistekyeni.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(RequestForm, AddressIsWebRootFormAndIdentifierUnencoded)
{
    EXPECT_EQ(Session::requestFormAddress(u"http://127.0.0.1:8080/"_s, u"AB12CD"_s),
              u"http://127.0.0.1:8080/formmailgonder.aspx?carino=0&kullanici= &id=AB12CD"_s);
}

TEST(RequestForm, WindowOpensTheAddressAndLivesWhileShown)
{
    const QString address = u"http://127.0.0.1:1/formmailgonder.aspx?carino=0&kullanici= &id=AB12CD"_s;
    QPointer<Session::formistekyeni> seen;
    QUrl opened;
    QString title;
    QSize size;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<Session::formistekyeni *>(QApplication::activeModalWidget());
        ASSERT_TRUE(seen);
        opened = seen->requestedUrl();
        title = seen->windowTitle();
        size = seen->size();
        ASSERT_TRUE(seen->sitem());
        auto *kapat = seen->findChild<QPushButton *>(u"kapat"_s);
        ASSERT_TRUE(kapat);
        EXPECT_EQ(kapat->text(), u"Kapat"_s);
        QTest::mouseClick(kapat, Qt::LeftButton);
    });
    Session::formistekyeni::showFor(nullptr, address);

    EXPECT_TRUE(seen.isNull()); // gone once closed
    EXPECT_EQ(title, u"Varsel Otomotiv B2B İstek Formu"_s);
    EXPECT_EQ(size, QSize(780, 555));
    EXPECT_EQ(opened.toString(QUrl::FullyDecoded), address);
    EXPECT_EQ(opened.query(QUrl::FullyEncoded), u"carino=0&kullanici=%20&id=AB12CD"_s);
}

} // namespace
