// The demo catalogue: auto parts for the makes and models on Turkish roads, with codes,
// OEM numbers, brands, prices, package quantities and depot statuses.

#include "batch.h"
#include "context.h"
#include "random.h"

#include "appserver/store/folding.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

struct Make
{
    QStringView name;
    QStringView code;
    int weight; // share of the catalogue
    double priceFactor;
    QStringView oemPatterns[2]; // d digit, L letter, anything else literal
    QStringView models[7];
    QStringView engines[3];
};

// clang-format off
const Make kMakes[] = {
    {u"FORD", u"FO", 14, 1.05, {u"dLdd-dddd-LL", u"d ddd ddd"},
     {u"FOCUS", u"FIESTA", u"MONDEO", u"TRANSIT", u"CONNECT", u"COURIER", u"KUGA"}, {u"1.6 TDCI", u"1.5 ECOBOOST", u"2.2 TDCI"}},
    {u"FIAT", u"FI", 14, 0.95, {u"dddddddd", u"ddddddd"},
     {u"DOBLO", u"LINEA", u"EGEA", u"PUNTO", u"FIORINO", u"PALIO", u"ALBEA"}, {u"1.3 MULTIJET", u"1.4 FIRE", u"1.6 MULTIJET"}},
    {u"RENAULT", u"RE", 14, 1.0, {u"dd dd ddd ddd", u"dddd ddd ddd"},
     {u"CLIO", u"MEGANE", u"FLUENCE", u"KANGOO", u"SYMBOL", u"LAGUNA", u"CAPTUR"}, {u"1.5 DCI", u"1.6 16V", u"1.2 TCE"}},
    {u"VOLKSWAGEN", u"VW", 13, 1.2, {u"dLd ddd ddd L", u"ddL ddd ddd LL"},
     {u"GOLF", u"PASSAT", u"POLO", u"JETTA", u"CADDY", u"TRANSPORTER", u"TIGUAN"}, {u"1.6 TDI", u"2.0 TDI", u"1.4 TSI"}},
    {u"TOFAŞ", u"TO", 8, 0.7, {u"dddddddd", u"dddd ddd"},
     {u"ŞAHİN", u"DOĞAN", u"KARTAL", u"MURAT 131", u"SERÇE", u"ŞAHİN", u"DOĞAN SLX"}, {u"1.6", u"1.4", u"1.6 SLX"}},
    {u"HYUNDAI", u"HY", 9, 1.0, {u"ddddd-dLLdd", u"ddddd-ddddd"},
     {u"ACCENT", u"I20", u"I30", u"ELANTRA", u"TUCSON", u"GETZ", u"ACCENT ERA"}, {u"1.4 CRDI", u"1.6 MPI", u"1.6 CRDI"}},
    {u"TOYOTA", u"TY", 9, 1.15, {u"ddddd-ddddd", u"ddddd-dddLd"},
     {u"COROLLA", u"YARIS", u"AURIS", u"HILUX", u"RAV4", u"C-HR", u"VERSO"}, {u"1.4 D-4D", u"1.6 VVT-I", u"1.33 DUAL VVT-I"}},
    {u"OPEL", u"OP", 10, 1.05, {u"dd dd ddd", u"dd ddd ddd"},
     {u"ASTRA", u"CORSA", u"VECTRA", u"INSIGNIA", u"COMBO", u"MERIVA", u"ZAFIRA"}, {u"1.3 CDTI", u"1.6 16V", u"1.4 TURBO"}},
    {u"PEUGEOT", u"PE", 9, 1.05, {u"dddd.Ld", u"dddd.dd"},
     {u"206", u"207", u"301", u"308", u"3008", u"PARTNER", u"508"}, {u"1.6 HDI", u"1.2 PURETECH", u"1.6 BLUEHDI"}},
};
// clang-format on

struct Kind
{
    QStringView name;
    QStringView otherName;
    QStringView group;
    QStringView groupCode;
    QStringView code;
    double low;
    double high;
    int package;
    QStringView unit;
    QStringView brands[3];
};

// clang-format off
const Kind kKinds[] = {
    {u"ÖN FREN BALATASI", u"DİSK BALATA ÖN", u"FREN SİSTEMİ", u"FRN", u"FBO", 450, 1400, 1, u"TAKIM", {u"BOSCH", u"TRW", u"FERODO"}},
    {u"ARKA FREN BALATASI", u"DİSK BALATA ARKA", u"FREN SİSTEMİ", u"FRN", u"FBA", 380, 1100, 1, u"TAKIM", {u"BOSCH", u"TRW", u"FERODO"}},
    {u"FREN DİSKİ", u"DİSK ÖN", u"FREN SİSTEMİ", u"FRN", u"FDS", 600, 2200, 2, u"ADET", {u"BREMBO", u"TRW", u"BOSCH"}},
    {u"FREN KAMPANASI", u"KAMPANA ARKA", u"FREN SİSTEMİ", u"FRN", u"FKM", 500, 1600, 2, u"ADET", {u"TRW", u"BOSCH", u"FERODO"}},
    {u"FREN MERKEZİ", u"ANA MERKEZ", u"FREN SİSTEMİ", u"FRN", u"FMR", 900, 2800, 1, u"ADET", {u"TRW", u"ATE", u"BOSCH"}},
    {u"DEBRİYAJ SETİ", u"KAVRAMA SETİ", u"DEBRİYAJ", u"DBR", u"DBS", 2400, 7800, 1, u"SET", {u"SACHS", u"VALEO", u"LUK"}},
    {u"DEBRİYAJ RULMANI", u"BASKI RULMANI", u"DEBRİYAJ", u"DBR", u"DBR", 350, 1200, 1, u"ADET", {u"SACHS", u"VALEO", u"SKF"}},
    {u"YAĞ FİLTRESİ", u"FİLTRE YAĞ", u"FİLTRE", u"FLT", u"YFL", 90, 380, 1, u"ADET", {u"MANN", u"BOSCH", u"MAHLE"}},
    {u"HAVA FİLTRESİ", u"FİLTRE HAVA", u"FİLTRE", u"FLT", u"HFL", 120, 450, 1, u"ADET", {u"MANN", u"BOSCH", u"MAHLE"}},
    {u"YAKIT FİLTRESİ", u"MAZOT FİLTRESİ", u"FİLTRE", u"FLT", u"MFL", 150, 650, 1, u"ADET", {u"MANN", u"BOSCH", u"DELPHI"}},
    {u"POLEN FİLTRESİ", u"KABİN FİLTRESİ", u"FİLTRE", u"FLT", u"PFL", 110, 400, 1, u"ADET", {u"MANN", u"BOSCH", u"MAHLE"}},
    {u"TRİGER SETİ", u"EKSANTRİK KAYIŞ SETİ", u"MOTOR", u"MTR", u"TRS", 1500, 5200, 1, u"SET", {u"GATES", u"CONTITECH", u"SKF"}},
    {u"V KAYIŞI", u"ALTERNATÖR KAYIŞI", u"MOTOR", u"MTR", u"VKY", 140, 520, 1, u"ADET", {u"GATES", u"CONTITECH", u"DAYCO"}},
    {u"SU POMPASI", u"DEVİRDAİM", u"SOĞUTMA", u"SGT", u"SPM", 700, 2600, 1, u"ADET", {u"SKF", u"GATES", u"DOLZ"}},
    {u"TERMOSTAT", u"TERMOSTAT CONTALI", u"SOĞUTMA", u"SGT", u"TRM", 250, 900, 1, u"ADET", {u"WAHLER", u"MAHLE", u"VALEO"}},
    {u"RADYATÖR", u"SU RADYATÖRÜ", u"SOĞUTMA", u"SGT", u"RDY", 1800, 5600, 1, u"ADET", {u"VALEO", u"NISSENS", u"MAHLE"}},
    {u"BUJİ", u"ATEŞLEME BUJİSİ", u"ATEŞLEME", u"ATS", u"BJI", 70, 320, 4, u"ADET", {u"NGK", u"BOSCH", u"DENSO"}},
    {u"ATEŞLEME BOBİNİ", u"BOBİN", u"ATEŞLEME", u"ATS", u"BBN", 650, 2200, 1, u"ADET", {u"BOSCH", u"BERU", u"NGK"}},
    {u"SİLİNDİR KAPAK CONTASI", u"KAPAK CONTASI", u"MOTOR", u"MTR", u"SKC", 400, 1500, 1, u"ADET", {u"ELRING", u"VICTOR REINZ", u"CORTECO"}},
    {u"MOTOR KULAĞI", u"MOTOR TAKOZU", u"MOTOR", u"MTR", u"MKL", 300, 1300, 1, u"ADET", {u"LEMFÖRDER", u"FEBI", u"CORTECO"}},
    {u"ŞANZIMAN YAĞI 75W-90 1 LT", u"DİŞLİ YAĞI", u"YAĞLAR", u"YAG", u"SYG", 220, 480, 10, u"LİTRE", {u"MOTUL", u"CASTROL", u"SHELL"}},
    {u"MOTOR YAĞI 10W-40 4 LT", u"MADENİ YAĞ", u"YAĞLAR", u"YAG", u"MYG", 650, 1400, 4, u"ADET", {u"MOTUL", u"CASTROL", u"SHELL"}},
    {u"ANTİFRİZ 3 LT", u"SOĞUTMA SIVISI", u"YAĞLAR", u"YAG", u"ANT", 180, 420, 4, u"ADET", {u"PETROL OFİSİ", u"CASTROL", u"SHELL"}},
    {u"ÖN AMORTİSÖR", u"AMORTİSÖR ÖN", u"SÜSPANSİYON", u"SSP", u"AMO", 900, 3200, 2, u"ADET", {u"SACHS", u"MONROE", u"KYB"}},
    {u"ARKA AMORTİSÖR", u"AMORTİSÖR ARKA", u"SÜSPANSİYON", u"SSP", u"AMA", 750, 2600, 2, u"ADET", {u"SACHS", u"MONROE", u"KYB"}},
    {u"AMORTİSÖR TAKOZU", u"TAKOZ ÜST", u"SÜSPANSİYON", u"SSP", u"AMT", 200, 750, 2, u"ADET", {u"LEMFÖRDER", u"FEBI", u"SACHS"}},
    {u"ROTİL", u"ALT ROTİL", u"SÜSPANSİYON", u"SSP", u"RTL", 220, 800, 1, u"ADET", {u"LEMFÖRDER", u"TRW", u"FEBI"}},
    {u"ROT BAŞI", u"ROT UCU", u"DİREKSİYON", u"DRK", u"RTB", 200, 700, 1, u"ADET", {u"LEMFÖRDER", u"TRW", u"FEBI"}},
    {u"SALINCAK", u"ÖN KOL", u"SÜSPANSİYON", u"SSP", u"SLN", 650, 2400, 1, u"ADET", {u"LEMFÖRDER", u"TRW", u"FEBI"}},
    {u"AKS KÖRÜĞÜ", u"KÖRÜK SETİ", u"AKTARMA", u"AKT", u"AKR", 120, 450, 1, u"SET", {u"GKN", u"FEBI", u"CORTECO"}},
    {u"TEKER RULMANI", u"BİLYA ÖN", u"AKTARMA", u"AKT", u"TRL", 450, 1600, 1, u"SET", {u"SKF", u"FAG", u"SNR"}},
    {u"ŞARJ DİNAMOSU", u"ALTERNATÖR", u"ELEKTRİK", u"ELK", u"SDN", 3200, 9500, 1, u"ADET", {u"BOSCH", u"VALEO", u"DENSO"}},
    {u"MARŞ MOTORU", u"STARTER", u"ELEKTRİK", u"ELK", u"MRS", 2800, 8200, 1, u"ADET", {u"BOSCH", u"VALEO", u"DENSO"}},
    {u"FAR AMPULÜ H7 12V", u"HALOJEN AMPUL", u"AYDINLATMA", u"AYD", u"AMP", 45, 180, 10, u"ADET", {u"OSRAM", u"PHILIPS", u"BOSCH"}},
    {u"STOP LAMBASI", u"ARKA LAMBA", u"AYDINLATMA", u"AYD", u"STL", 650, 2400, 1, u"ADET", {u"HELLA", u"VALEO", u"DEPO"}},
    {u"SİLECEK SÜPÜRGESİ", u"SİLECEK LASTİĞİ", u"AKSESUAR", u"AKS", u"SLC", 90, 380, 2, u"ADET", {u"BOSCH", u"VALEO", u"HELLA"}},
    {u"DIŞ DİKİZ AYNASI", u"YAN AYNA", u"KAPORTA", u"KPR", u"AYN", 700, 2600, 1, u"ADET", {u"VAN WEZEL", u"DEPO", u"BLIC"}},
    {u"ÖN TAMPON", u"TAMPON", u"KAPORTA", u"KPR", u"TMP", 1500, 4800, 1, u"ADET", {u"VAN WEZEL", u"BLIC", u"DEPO"}},
    {u"EGZOZ SUSTURUCUSU", u"ARKA SUSTURUCU", u"EGZOZ", u"EGZ", u"EGS", 900, 3100, 1, u"ADET", {u"BOSAL", u"WALKER", u"ERNST"}},
    {u"OKSİJEN SENSÖRÜ", u"LAMBDA SONDASI", u"EGZOZ", u"EGZ", u"OKS", 900, 3400, 1, u"ADET", {u"BOSCH", u"NGK", u"DENSO"}},
    {u"KLİMA KOMPRESÖRÜ", u"KOMPRESÖR", u"KLİMA", u"KLM", u"KKP", 6500, 16000, 1, u"ADET", {u"DENSO", u"VALEO", u"SANDEN"}},
    {u"FAN MOTORU", u"RADYATÖR FANI", u"SOĞUTMA", u"SGT", u"FNM", 1400, 4200, 1, u"ADET", {u"BOSCH", u"VALEO", u"NISSENS"}},
};
// clang-format on

const QStringView kSides[] = {u"", u"", u"", u" SAĞ", u" SOL"};
const QStringView kGenerations[] = {u"", u" II", u" III", u" IV"};
const QStringView kSpecialCodes[] = {u"ORİJİNAL", u"MUADİL", u"MUADİL", u"YERLİ ÜRETİM", u"ÇIKMA DEĞİL"};

QString fromPattern(Random &random, QStringView pattern)
{
    static const QStringView letters = u"ABCDEFGHJKLMNPRSTUVWXYZ";
    QString out;
    out.reserve(pattern.size());
    for (const QChar c : pattern) {
        if (c == u'd')
            out.append(QChar(u'0' + random.below(10)));
        else if (c == u'L')
            out.append(letters.at(random.below(int(letters.size()))));
        else
            out.append(c);
    }
    return out;
}

const Make &pickMake(Random &random)
{
    int total = 0;
    for (const Make &make : kMakes)
        total += make.weight;
    int r = random.below(total);
    for (const Make &make : kMakes) {
        if (r < make.weight)
            return make;
        r -= make.weight;
    }
    return kMakes[0];
}

QString vehicleModel(Random &random, const Make &make)
{
    const int from = 1998 + random.below(20);
    const QString one = make.models[random.below(7)].toString() + kGenerations[random.below(4)].toString() + u' ' +
                        make.engines[random.below(3)].toString() + u' ' + QString::number(from) + u'-' +
                        QString::number(from + 3 + random.below(8));
    if (!random.percent(25))
        return one;
    return one + u" / "_s + make.models[random.below(7)].toString();
}

// Depot status: mostly in stock, the rest spread over the other states.
int depotStatus(Random &random)
{
    const int r = random.below(100);
    if (r < 58)
        return 1;
    if (r < 72)
        return 0;
    if (r < 82)
        return 2;
    if (r < 91)
        return 3;
    if (r < 95)
        return 4;
    return 5;
}

QString withoutSeparators(const QString &code)
{
    QString out;
    for (const QChar c : code) {
        if (c != u' ' && c != u'.' && c != u'-' && c != u'/')
            out.append(c);
    }
    return out;
}

} // namespace

Protocol::Expected<Protocol::Done> seedCatalogue(Context &context, int parts)
{
    Random random(0x5EED0001);
    BatchInserter insert(context.db, u"stoklar"_s,
                         {u"stokno"_s,      u"barkod"_s,         u"barkodno"_s,  u"adi"_s,      u"digeradi"_s,
                          u"ureticikodu"_s, u"uretici"_s,        u"oemno"_s,     u"oem1"_s,     u"oem2"_s,
                          u"oem3"_s,        u"oem4"_s,           u"finishkod"_s, u"marka"_s,    u"model"_s,
                          u"anagrup"_s,     u"ozelkod"_s,        u"dpkod"_s,     u"pkod"_s,     u"birim"_s,
                          u"kdv"_s,         u"fiyat"_s,          u"doviz"_s,     u"koliadet"_s, u"resim"_s,
                          u"yeni"_s,        u"kampanya"_s,       u"kampfiyat"_s, u"durum"_s,    u"durum2"_s,
                          u"kalan"_s,       u"verilensiparis"_s, u"arama"_s},
                         40);
    context.parts.reserve(parts);
    const int kindCount = int(std::size(kKinds));
    for (int i = 0; i < parts; ++i) {
        const Make &make = pickMake(random);
        const Kind &kind = kKinds[random.below(kindCount)];
        PartInfo part;
        part.stokno = i + 1;
        part.barkod = kind.code.toString() + make.code.toString() + QString::number(i + 1).rightJustified(6, u'0');
        part.adi = kind.name.toString() + kSides[random.below(5)].toString();
        part.marka = make.name.toString();
        part.anagrup = kind.group.toString();
        part.fiyat = round2(random.amount(kind.low, kind.high) * make.priceFactor);
        part.koliadet = kind.package;
        if (part.koliadet == 1 && random.percent(4))
            part.koliadet = 2;
        part.kampanya = random.percent(4) ? 1 : 0;
        part.kampfiyat = part.kampanya ? round2(part.fiyat * (80 + random.below(11)) / 100.0) : 0;

        const QString brand = kind.brands[random.below(3)].toString();
        const QString makerCode = brand.left(2) + u' ' + fromPattern(random, u"ddd ddd ddd");
        const QString oemNo = fromPattern(random, make.oemPatterns[random.below(2)]);
        QString oem[4];
        const int oemCount = random.below(5);
        for (int o = 0; o < oemCount; ++o)
            oem[o] = fromPattern(random, make.oemPatterns[random.below(2)]);
        const QString finish = u"F "_s + fromPattern(random, u"ddd ddd");
        const QString model = vehicleModel(random, make);
        const int status1 = depotStatus(random);
        const int status2 = depotStatus(random);
        const double onHand = (status1 == 1 || status2 == 1) ? double(random.between(1, 250)) : 0.0;
        const double onOrder = (status1 == 3 || status2 == 3) ? double(random.between(5, 100)) : 0.0;
        const bool picture = random.percent(65);
        const bool isNew = random.percent(3);

        QString search = part.barkod + u' ' + part.adi + u' ' + kind.otherName.toString() + u' ' + brand + u' ' +
                         makerCode + u' ' + oemNo + u' ' + part.marka + u' ' + model + u' ' + finish;
        QString codes =
            withoutSeparators(makerCode) + u' ' + withoutSeparators(oemNo) + u' ' + withoutSeparators(finish);
        for (const QString &o : oem) {
            if (!o.isEmpty()) {
                search += u' ' + o;
                codes += u' ' + withoutSeparators(o);
            }
        }

        insert.add({part.stokno,
                    part.barkod,
                    100000 + part.stokno,
                    part.adi,
                    kind.otherName.toString(),
                    makerCode,
                    brand,
                    oemNo,
                    oem[0],
                    oem[1],
                    oem[2],
                    oem[3],
                    finish,
                    part.marka,
                    model,
                    part.anagrup,
                    kSpecialCodes[random.below(5)].toString(),
                    kind.groupCode.toString(),
                    QString(u"P"_s + QString::number(1 + random.below(5))),
                    kind.unit.toString(),
                    part.kdv,
                    part.fiyat,
                    u"TL"_s,
                    part.koliadet,
                    picture ? 1 : 0,
                    isNew ? 1 : 0,
                    part.kampanya,
                    part.kampfiyat,
                    status1,
                    status2,
                    onHand,
                    onOrder,
                    Store::foldForSearch(search + u' ' + codes)});
        context.parts.append(part);
    }
    return insert.finish();
}

} // namespace Seed
