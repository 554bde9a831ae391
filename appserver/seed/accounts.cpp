// Demo accounts: representatives, customers with their discounts and special prices, and
// the demo users of every type that `varsel-appserver users` lists.

#include "batch.h"
#include "context.h"
#include "random.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

constexpr int kCustomers = 40;

struct Rep
{
    int no;
    QStringView name;
    QStringView email;
    QStringView phone;
};

const Rep kReps[] = {
    {1, u"AHMET YILMAZ", u"ahmet.yilmaz@varseloto.com.tr", u"0532 412 18 40"},
    {2, u"MEHMET ÖZDEMİR", u"mehmet.ozdemir@varseloto.com.tr", u"0533 617 22 95"},
    {3, u"AYŞE KARACA", u"ayse.karaca@varseloto.com.tr", u"0542 208 64 11"},
};
constexpr int kManagerRep = 3; // sees every customer

struct City
{
    QStringView name;
    QStringView code;
    QStringView areaCode;
    QStringView districts[3];
};

const City kCities[] = {
    {u"İSTANBUL", u"34", u"212", {u"BAĞCILAR", u"İKİTELLİ", u"KARTAL"}},
    {u"ANKARA", u"06", u"312", {u"OSTİM", u"SİTELER", u"ETİMESGUT"}},
    {u"İZMİR", u"35", u"232", {u"BORNOVA", u"KARABAĞLAR", u"ÇİĞLİ"}},
    {u"KONYA", u"42", u"332", {u"KARATAY", u"SELÇUKLU", u"MERAM"}},
    {u"BURSA", u"16", u"224", {u"OSMANGAZİ", u"NİLÜFER", u"YILDIRIM"}},
    {u"ANTALYA", u"07", u"242", {u"KEPEZ", u"MURATPAŞA", u"KONYAALTI"}},
    {u"KAYSERİ", u"38", u"352", {u"MELİKGAZİ", u"KOCASİNAN", u"TALAS"}},
    {u"GAZİANTEP", u"27", u"342", {u"ŞEHİTKAMİL", u"ŞAHİNBEY", u"NİZİP"}},
    {u"ESKİŞEHİR", u"26", u"222", {u"ODUNPAZARI", u"TEPEBAŞI", u"SİVRİHİSAR"}},
    {u"SAMSUN", u"55", u"362", {u"İLKADIM", u"ATAKUM", u"CANİK"}},
};

const QStringView kSurnames[] = {u"ÖZTÜRK", u"ÇELİK", u"ŞAHİN", u"YILDIZ", u"AYDIN",   u"ÖZDEMİR", u"ARSLAN",
                                 u"DOĞAN",  u"KILIÇ", u"ÇETİN", u"KARA",   u"KOÇ",     u"KURT",    u"ÖZKAN",
                                 u"ŞİMŞEK", u"POLAT", u"ÜNAL",  u"GÜNEŞ",  u"ERDOĞAN", u"AKGÜL"};
const QStringView kFirstNames[] = {u"MUSTAFA", u"HÜSEYİN", u"İBRAHİM", u"HASAN", u"ALİ",    u"ÖMER",
                                   u"FATMA",   u"EMİNE",   u"MURAT",   u"ŞÜKRÜ", u"GÜLSÜM", u"İSMAİL"};
const QStringView kSuffixes[] = {u"OTO YEDEK PARÇA LTD. ŞTİ.",
                                 u"OTOMOTİV SAN. VE TİC. A.Ş.",
                                 u"OTO ELEKTRİK",
                                 u"MOTORLU ARAÇLAR TİC. LTD. ŞTİ.",
                                 u"OTO SANAYİ",
                                 u"YEDEK PARÇA VE MADENİ YAĞLAR"};
const QStringView kMainGroups[] = {u"BAYİ", u"SERVİS", u"PERAKENDE"};
const QStringView kSubGroups[] = {u"A GRUBU", u"B GRUBU", u"C GRUBU"};
const QStringView kStreets[] = {u"ATATÜRK CAD.",  u"SANAYİ SİTESİ",   u"İNÖNÜ BULVARI",
                                u"GÜLBAHÇE SOK.", u"CUMHURİYET MAH.", u"OTO SANAYİ 3. BLOK"};
const QStringView kMakesForDiscount[] = {u"FORD", u"FIAT", u"RENAULT", u"VOLKSWAGEN", u"TOFAŞ", u"OPEL"};
const QStringView kGroupsForDiscount[] = {u"FREN SİSTEMİ", u"FİLTRE", u"YAĞLAR", u"SÜSPANSİYON"};

QString digits(Random &random, int count)
{
    QString out;
    for (int i = 0; i < count; ++i)
        out.append(QChar(u'0' + random.below(10)));
    return out;
}

QString phone(Random &random, QStringView areaCode)
{
    return u"0("_s + areaCode.toString() + u") "_s + digits(random, 3) + u' ' + digits(random, 2) + u' ' +
           digits(random, 2);
}

struct DemoUser
{
    QStringView name;
    int type;
    int customer; // index + 1 into the customers, 0 for a representative
    int rep;
    bool active;
    QStringView email;
};

const DemoUser kDemoUsers[] = {
    {u"YONETICI", 1, 0, kManagerRep, true, u"yonetici@varseloto.com.tr"},
    {u"TEMSILCI", 2, 0, 1, true, u"temsilci@varseloto.com.tr"},
    {u"TEMSILCI2", 2, 0, 2, true, u"temsilci2@varseloto.com.tr"},
    {u"BAYI", 3, 1, 0, true, u"bayi@ornekoto.com.tr"},
    {u"BAYI2", 3, 2, 0, true, u"bayi2@ornekoto.com.tr"},
    {u"BAYI4", 4, 3, 0, true, u"bayi4@ornekoto.com.tr"},
    {u"PASIF", 3, 4, 0, false, u"pasif@ornekoto.com.tr"},
};

} // namespace

Protocol::Expected<Protocol::Done> seedAccounts(Context &context)
{
    Random random(0x5EED0002);

    BatchInserter reps(context.db, u"saticilar"_s, {u"saticino"_s, u"adi"_s, u"email"_s, u"telefon"_s});
    for (const Rep &rep : kReps) {
        reps.add({rep.no, rep.name.toString(), rep.email.toString(), rep.phone.toString()});
        context.repNames.insert(rep.no, rep.name.toString());
    }
    if (auto done = reps.finish(); !done)
        return done;

    BatchInserter customers(context.db, u"cariler"_s,
                            {u"carino"_s,   u"carikod"_s, u"cariadi"_s, u"adres1"_s,         u"adres2"_s,
                             u"ilce"_s,     u"il"_s,      u"ulke"_s,    u"tel1"_s,           u"tel2"_s,
                             u"gsm"_s,      u"fax1"_s,    u"fax2"_s,    u"email"_s,          u"vergidairesi"_s,
                             u"vergino"_s,  u"yetkili"_s, u"anagrup"_s, u"altgrup"_s,        u"ozelkod"_s,
                             u"kod1"_s,     u"kod2"_s,    u"kod3"_s,    u"kod4"_s,           u"kod5"_s,
                             u"saticino"_s, u"indirim"_s, u"vade"_s,    u"vadekontrolgun"_s, u"vadekontrolay"_s});
    for (int i = 0; i < kCustomers; ++i) {
        const City &city = kCities[i % std::size(kCities)];
        const QString district = city.districts[random.below(3)].toString();
        CustomerInfo customer;
        customer.carino = i + 1;
        customer.carikod = u"120.%1.%2"_s.arg(city.code).arg(i + 1, 3, 10, QChar(u'0'));
        customer.cariadi = kSurnames[i % std::size(kSurnames)].toString() + u' ' +
                           kSuffixes[random.below(int(std::size(kSuffixes)))].toString();
        if (i >= int(std::size(kSurnames)))
            customer.cariadi = city.name.toString() + u' ' + customer.cariadi;
        customer.saticino = 1 + (i % 2);
        customer.vade = 30 + 15 * random.below(5);

        Discount general;
        general.ind[0] = 10 + 5 * random.below(5);
        general.ind[1] = random.percent(50) ? 5 : 0;
        general.ind[2] = random.percent(20) ? 2 : 0;
        customer.discounts.append(general);
        if (random.percent(40)) {
            Discount make;
            make.marka = random.pick(kMakesForDiscount).toString();
            make.ind[0] = general.ind[0] + 5;
            make.ind[1] = general.ind[1];
            customer.discounts.append(make);
        }
        if (random.percent(30)) {
            Discount group;
            group.anagrup = random.pick(kGroupsForDiscount).toString();
            group.ind[0] = general.ind[0];
            group.ind[1] = general.ind[1] + 3;
            customer.discounts.append(group);
        }
        if (i < 12 && !context.parts.isEmpty()) {
            for (int k = 0; k < 5; ++k) {
                const PartInfo &part = context.parts.at(random.below(int(context.parts.size())));
                customer.specialPrices.insert(part.stokno, round2(part.fiyat * 0.78));
            }
        }

        const QString contact = random.pick(kFirstNames).toString() + u' ' + random.pick(kSurnames).toString();
        customers.add({customer.carino,
                       customer.carikod,
                       customer.cariadi,
                       QString(random.pick(kStreets).toString() + u" NO: "_s + QString::number(random.between(1, 180))),
                       QString(district + u" SANAYİ BÖLGESİ"_s),
                       district,
                       city.name.toString(),
                       u"TÜRKİYE"_s,
                       phone(random, city.areaCode),
                       random.percent(60) ? phone(random, city.areaCode) : QString(),
                       QString(u"05"_s + digits(random, 2) + u' ' + digits(random, 3) + u' ' + digits(random, 2) +
                               u' ' + digits(random, 2)),
                       phone(random, city.areaCode),
                       QString(),
                       QString(u"muhasebe"_s + QString::number(customer.carino) + u"@ornekoto.com.tr"_s),
                       QString(district + u" V.D."_s),
                       digits(random, 10),
                       contact,
                       kMainGroups[random.below(3)].toString(),
                       kSubGroups[random.below(3)].toString(),
                       random.percent(30) ? u"ÖZEL"_s : QString(),
                       city.name.toString(),
                       customer.saticino == 1 ? u"BATI"_s : u"DOĞU"_s,
                       QString(),
                       QString(),
                       QString(),
                       customer.saticino,
                       general.ind[0],
                       customer.vade,
                       customer.vade + 15,
                       random.below(3)});
        context.customers.append(customer);
    }
    if (auto done = customers.finish(); !done)
        return done;

    BatchInserter visibility(context.db, u"satici_cariler"_s, {u"saticino"_s, u"carino"_s});
    for (const CustomerInfo &customer : std::as_const(context.customers)) {
        visibility.add({customer.saticino, customer.carino});
        visibility.add({kManagerRep, customer.carino});
    }
    if (auto done = visibility.finish(); !done)
        return done;

    BatchInserter discounts(context.db, u"cari_iskontolari"_s,
                            {u"carino"_s, u"marka"_s, u"anagrup"_s, u"ind1"_s, u"ind2"_s, u"ind3"_s, u"ind4"_s});
    BatchInserter prices(context.db, u"cari_ozel_fiyatlar"_s, {u"carino"_s, u"stokno"_s, u"fiyat"_s});
    for (const CustomerInfo &customer : std::as_const(context.customers)) {
        for (const Discount &d : customer.discounts)
            discounts.add({customer.carino, d.marka, d.anagrup, d.ind[0], d.ind[1], d.ind[2], d.ind[3]});
        for (auto it = customer.specialPrices.cbegin(); it != customer.specialPrices.cend(); ++it)
            prices.add({customer.carino, it.key(), it.value()});
    }
    if (auto done = discounts.finish(); !done)
        return done;
    if (auto done = prices.finish(); !done)
        return done;

    // Users: the demo users first (their numbers are stable), then one user per other customer.
    BatchInserter users(
        context.db, u"kullanicilar"_s,
        {u"sirano"_s, u"adi"_s, u"sifre"_s, u"aktif"_s, u"tipi"_s, u"email"_s, u"carino"_s, u"saticino"_s, u"demo"_s});
    int sirano = 0;
    QMap<int, int> repUser; // saticino → the user who orders for his customers
    for (const DemoUser &user : kDemoUsers) {
        ++sirano;
        const QVariant carino = user.customer > 0 ? QVariant(user.customer) : QVariant(QMetaType::fromType<int>());
        const QVariant saticino = user.rep > 0 ? QVariant(user.rep) : QVariant(QMetaType::fromType<int>());
        users.add({sirano, user.name.toString(), u"1234"_s, user.active ? 1 : 0, user.type, user.email.toString(),
                   carino, saticino, 1});
        if (user.customer > 0)
            context.customers[user.customer - 1].userSirano = sirano;
        if (user.rep > 0 && !repUser.contains(user.rep))
            repUser.insert(user.rep, sirano);
    }
    for (CustomerInfo &customer : context.customers) {
        if (customer.userSirano != 0)
            continue;
        ++sirano;
        users.add({sirano, QString(u"CARI"_s + QString::number(customer.carino)), digits(random, 4), 1, 3,
                   QString(u"cari"_s + QString::number(customer.carino) + u"@ornekoto.com.tr"_s), customer.carino,
                   QVariant(QMetaType::fromType<int>()), 0});
        // Most orders of a customer without a demo user are taken by its representative.
        customer.userSirano = random.percent(70) ? repUser.value(customer.saticino, sirano) : sirano;
    }
    return users.finish();
}

} // namespace Seed
