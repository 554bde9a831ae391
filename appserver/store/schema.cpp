// The application server's database schema.
//
// One schema for SQLite and PostgreSQL: portable types only (INTEGER, BIGINT, DOUBLE
// PRECISION, TEXT, and BLOB/BYTEA for bytes), generated keys written as {ID}, dates kept as
// ISO text ("YYYY-MM-DD" for dates, "YYYY-MM-DD HH:MM:SS" for moments) so that both engines
// compare and sort them the same way. Money is DOUBLE PRECISION, as it travels on the wire.
// Text columns are NOT NULL DEFAULT '' unless a missing value means something. Names are
// the business's own (Turkish, lower case), so a query reads like the columns it produces.
//
// Users and machines
//   settings (key, value)            version: the client version announced as current ("1");
//                                    server_secret: hex key that signs session ids;
//                                    kayan_yazi: the ticker text (simple HTML);
//                                    seed_parts, seed_anchor: how the demo data was made;
//                                    stok_arama_limiti: rows a stock search answers at most
//                                    (5000 when unset); arama_dizini: the search index's stamp.
//   saticilar                        sales representatives: saticino, adi, email, telefon.
//   cariler                          customer accounts: carino, carikod, cariadi, address
//                                    (adres1, adres2, ilce, il, ulke), tel1, tel2, gsm, fax1,
//                                    fax2, email, vergidairesi, vergino, yetkili, anagrup,
//                                    altgrup, ozelkod, kod1..kod5, saticino (the customer's
//                                    representative), indirim (general discount % shown on
//                                    the card), vade (payment term, days), vadekontrolgun /
//                                    vadekontrolay (overdue check), tlborc / tlalacak (sums of
//                                    cari_hareketler.borc / alacak; whoever writes a movement
//                                    updates them in the same transaction).
//   kullanicilar                     users: sirano (FSirano), adi (upper case), sifre (kept as
//                                    typed: the session record carries it), aktif (1/0), tipi
//                                    (MusteriTipi 1..4: 1, 2 representatives, 3, 4 dealers),
//                                    email, carino (a dealer's account), saticino (a
//                                    representative's own number), demo (listed by `users`).
//   bilgisayarlar                    registered computers: bilgisayarid → kullanici.
//   satici_cariler                   which customers a representative may see and choose.
//
// Catalogue and prices
//   stoklar                          parts: stokno (STOK_STOKNO), barkod (the part code),
//                                    barkodno, adi, digeradi, ureticikodu, uretici (part
//                                    brand), oemno, oem1..oem4, finishkod, marka (vehicle
//                                    make), model (vehicle models), anagrup, ozelkod, dpkod,
//                                    pkod, birim, kdv (percent), fiyat (list price), doviz,
//                                    koliadet (package quantity, >= 1), resim, yeni,
//                                    kampanya (K: > 0 in a campaign), kampfiyat, durum /
//                                    durum2 (status at the two depots: 0 none, 1 in stock,
//                                    2 call us, 3 on the way, 4 special order, 5 being
//                                    supplied), kalan (quantity on hand), verilensiparis
//                                    (quantity ordered from suppliers), and arama: the folded
//                                    search form (foldForSearch) of code, names, brand, make,
//                                    models and every code again without blanks, dots, dashes
//                                    and slashes. ALINANSIPARIS is not stored: it is the sum
//                                    of siparis_satirlari.kalan of the part.
//   arama_parcalari                  the substring index of arama (parca, adet, liste): made
//                                    and described in searchindex.h, after the seed.
//   stok_resimleri                   optional stored pictures of parts (stokno → bytes).
//   cari_iskontolari                 a customer's four successive discount rates ind1..ind4,
//                                    general (marka = '' and anagrup = '') or for one make
//                                    and/or one group; the most specific row wins:
//                                    make+group, then make, then group, then general.
//   cari_ozel_fiyatlar               a customer's special price of a part; it replaces the
//                                    list price and no discount applies to it. A campaign
//                                    part (kampanya > 0) is sold at kampfiyat, also without
//                                    discounts; otherwise the list price with the discount
//                                    row above. The demo history is priced this way.
//
// Basket and orders
//   sepet                            basket lines, per customer: sirano (SIRANO), carino,
//                                    stokno, barkod, stokadi, miktar, kdv, birimfiyat,
//                                    ind1..ind4, kampanya (K of the part when added), verenid
//                                    (FSirano of the user who added it), sec (SEC), tarih.
//   teslim_sekilleri                 delivery options (id, adi, sira).
//   kargo_turleri                    cargo types (id, adi, sira).
//   kargolar                         carriers of a cargo type (sirano, kargo_turu, adi, uyari).
//   siparis_durumlari                order states: 1 Alındı, 2 Onaylandı, 3 Görüldü,
//                                    4 Parçalı Hazırlandı, 5 Hazırlandı, 6 Sevk Edildi
//                                    (a representative's state list n = kod + 1).
//   siparisler                       orders: idno (IDNO), carino, tarih, verenid, teslim,
//                                    kargo_turu, kargo (carrier), durum, aciklama (the
//                                    customer's message), alan_notu (the distributor's note),
//                                    satici_notu, kur, kurtl.
//   siparis_satirlari                order lines: sirano (STOKHAR_NO), idno, sepet_sirano
//                                    (the basket line it came from: SIRANO of a balance),
//                                    stokno, barkod, stokadi, miktar, teslim_edilen, kalan
//                                    (open balance; > 0 is an open order balance), birimfiyat,
//                                    ilkfiyat (price when ordered), ind1..ind4, kdv, kampanya,
//                                    verenid, tarih, aciklama.
//
// Account and documents
//   faturalar                        invoices: idno, carino, evrakno, tarih, saat, turu, vade
//                                    (days), saticino, irsaliye_evrakno, irsaliye_tarihi,
//                                    irsaliye_tipi, siparis_idno, and the totals toplam,
//                                    toplamindirim, matrah, kdvtutar, kdvdahil.
//   stok_hareketleri                 stock movements of a part for a customer; the lines of an
//                                    invoice are its movements (fatura set): tarih, saat,
//                                    turu, evrakseri, evraksira, miktar, birimfiyat,
//                                    ind1..ind4, toplamindirim, masraf1, masraf2, tutar
//                                    (miktar × birimfiyat), nettutar (tutar − toplamindirim +
//                                    masraflar), kdv, vergi, vade, saticino, aciklama.
//   tahsilatlar / tahsilat_satirlari collections and payments ("Tahsilat", "Tediye") with their
//                                    rows (cins, vade, tutar, kur, kurtl, doviz_tutar, ref).
//   sanalpos                         card payments made on the payment page: sirano, tahsilat,
//                                    carino, tarih, tutar, card data, pdf (the receipt).
//   cari_hareketler                  the statement: idno (IDNO, key of the document detail),
//                                    carino, tarih, vade_tarihi, turadi, evrakno, borc,
//                                    alacak, kur, aciklama, fatura or tahsilat it stands for.
//
// Notices
//   duyurular, acilis_reklamlari     announcements and opening advertisements: sirano,
//                                    baslik, resim (the picture as hexadecimal text), arama
//                                    (search key), sira, aktif.
//   bannerlar                        banner pictures by name: "ust" (GIF), "alt" (BMP).
//   mail_kutusu                      the outbox: the sixteen texts of the mail operations,
//                                    konu (the seventeenth, NULL for the request mail),
//                                    islem (the operation), alici, olusturma, gonderildi.
//   web_requests                     requests sent with the web request form.
//
// Change numbers
//   veri_surumleri                   (alan, surum): one number per table the catalogue answers
//                                    are made from, raised by triggers on every change
//                                    (dataversions.h); made when the database is opened.
//
// Badge counts are not stored: they are counts of sepet, stoklar (yeni, kampanya),
// duyurular and siparis_satirlari (kalan > 0) at the moment they are asked for.

#include "schema.h"

#include "sql.h"

using namespace Qt::StringLiterals;

namespace Store {

namespace {

// Shorthands expanded before a statement runs.
//   {ID}   generated integer key     {BLOB}  bytes
//   {T}    text, empty by default    {M}     money / quantity, 0 by default
//   {I}    integer, 0 by default
const char *const kStatements[] = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",

    "CREATE TABLE saticilar (saticino {ID}, adi {T}, email {T}, telefon {T})",

    "CREATE TABLE cariler (carino {ID}, carikod TEXT NOT NULL UNIQUE, cariadi {T},"
    " adres1 {T}, adres2 {T}, ilce {T}, il {T}, ulke {T}, tel1 {T}, tel2 {T}, gsm {T},"
    " fax1 {T}, fax2 {T}, email {T}, vergidairesi {T}, vergino {T}, yetkili {T},"
    " anagrup {T}, altgrup {T}, ozelkod {T}, kod1 {T}, kod2 {T}, kod3 {T}, kod4 {T}, kod5 {T},"
    " saticino INTEGER REFERENCES saticilar (saticino), indirim {M}, vade {I},"
    " vadekontrolgun {I}, vadekontrolay {I}, tlborc {M}, tlalacak {M})",
    "CREATE INDEX cariler_saticino ON cariler (saticino)",

    "CREATE TABLE kullanicilar (sirano {ID}, adi TEXT NOT NULL UNIQUE, sifre {T},"
    " aktif INTEGER NOT NULL DEFAULT 1, tipi INTEGER NOT NULL CHECK (tipi BETWEEN 1 AND 4),"
    " email {T}, carino INTEGER REFERENCES cariler (carino),"
    " saticino INTEGER REFERENCES saticilar (saticino), demo {I})",

    "CREATE TABLE bilgisayarlar (bilgisayarid TEXT PRIMARY KEY,"
    " kullanici INTEGER NOT NULL REFERENCES kullanicilar (sirano) ON DELETE CASCADE,"
    " kayit_tarihi {T})",

    "CREATE TABLE satici_cariler (saticino INTEGER NOT NULL REFERENCES saticilar (saticino),"
    " carino INTEGER NOT NULL REFERENCES cariler (carino), PRIMARY KEY (saticino, carino))",
    "CREATE INDEX satici_cariler_carino ON satici_cariler (carino)",

    "CREATE TABLE stoklar (stokno {ID}, barkod TEXT NOT NULL UNIQUE, barkodno {I}, adi {T},"
    " digeradi {T}, ureticikodu {T}, uretici {T}, oemno {T}, oem1 {T}, oem2 {T}, oem3 {T},"
    " oem4 {T}, finishkod {T}, marka {T}, model {T}, anagrup {T}, ozelkod {T}, dpkod {T},"
    " pkod {T}, birim {T}, kdv INTEGER NOT NULL DEFAULT 20, fiyat {M},"
    " doviz TEXT NOT NULL DEFAULT 'TL', koliadet INTEGER NOT NULL DEFAULT 1 CHECK (koliadet >= 1),"
    " resim {I}, yeni {I}, kampanya {I}, kampfiyat {M}, durum {I}, durum2 {I}, kalan {M},"
    " verilensiparis {M}, arama {T})",
    "CREATE INDEX stoklar_arama ON stoklar (arama)",
    "CREATE INDEX stoklar_yeni ON stoklar (yeni)",
    "CREATE INDEX stoklar_kampanya ON stoklar (kampanya)",

    "CREATE TABLE stok_resimleri (stokno INTEGER PRIMARY KEY REFERENCES stoklar (stokno)"
    " ON DELETE CASCADE, resim {BLOB} NOT NULL)",

    "CREATE TABLE cari_iskontolari (id {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " marka {T}, anagrup {T}, ind1 {M}, ind2 {M}, ind3 {M}, ind4 {M},"
    " UNIQUE (carino, marka, anagrup))",

    "CREATE TABLE cari_ozel_fiyatlar (carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " stokno INTEGER NOT NULL REFERENCES stoklar (stokno), fiyat {M},"
    " PRIMARY KEY (carino, stokno))",

    "CREATE TABLE sepet (sirano {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " stokno INTEGER NOT NULL REFERENCES stoklar (stokno), barkod {T}, stokadi {T}, miktar {M},"
    " kdv {M}, birimfiyat {M}, ind1 {M}, ind2 {M}, ind3 {M}, ind4 {M}, kampanya {I},"
    " verenid {I}, sec {I}, tarih {T}, aciklama {T})",
    "CREATE INDEX sepet_carino ON sepet (carino, sirano)",

    "CREATE TABLE teslim_sekilleri (id {ID}, adi {T}, sira {I})",
    "CREATE TABLE kargo_turleri (id {ID}, adi {T}, sira {I})",
    "CREATE TABLE kargolar (sirano {ID},"
    " kargo_turu INTEGER NOT NULL REFERENCES kargo_turleri (id), adi {T}, uyari {T}, sira {I})",
    "CREATE INDEX kargolar_kargo_turu ON kargolar (kargo_turu, sira)",
    "CREATE TABLE siparis_durumlari (kod INTEGER PRIMARY KEY, adi {T})",

    "CREATE TABLE siparisler (idno {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " tarih {T}, verenid INTEGER REFERENCES kullanicilar (sirano),"
    " teslim INTEGER REFERENCES teslim_sekilleri (id),"
    " kargo_turu INTEGER REFERENCES kargo_turleri (id), kargo INTEGER REFERENCES kargolar (sirano),"
    " durum INTEGER NOT NULL DEFAULT 1 REFERENCES siparis_durumlari (kod),"
    " aciklama {T}, alan_notu {T}, satici_notu {T}, kur TEXT NOT NULL DEFAULT 'TL',"
    " kurtl DOUBLE PRECISION NOT NULL DEFAULT 1)",
    "CREATE INDEX siparisler_carino ON siparisler (carino, idno)",
    "CREATE INDEX siparisler_tarih ON siparisler (tarih)",

    "CREATE TABLE siparis_satirlari (sirano {ID},"
    " idno INTEGER NOT NULL REFERENCES siparisler (idno) ON DELETE CASCADE, sepet_sirano {I},"
    " stokno INTEGER NOT NULL REFERENCES stoklar (stokno), barkod {T}, stokadi {T}, miktar {M},"
    " teslim_edilen {M}, kalan {M}, birimfiyat {M}, ilkfiyat {M}, ind1 {M}, ind2 {M}, ind3 {M},"
    " ind4 {M}, kdv {M}, kampanya {I}, verenid {I}, tarih {T}, aciklama {T})",
    "CREATE INDEX siparis_satirlari_idno ON siparis_satirlari (idno, sirano)",
    "CREATE INDEX siparis_satirlari_stokno ON siparis_satirlari (stokno)",

    "CREATE TABLE faturalar (idno {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " evrakno {T}, tarih {T}, saat {T}, turu {T}, vade {I},"
    " saticino INTEGER REFERENCES saticilar (saticino), irsaliye_evrakno {T},"
    " irsaliye_tarihi {T}, irsaliye_tipi {T}, siparis_idno INTEGER REFERENCES siparisler (idno),"
    " toplam {M}, toplamindirim {M}, matrah {M}, kdvtutar {M}, kdvdahil {M}, aciklama {T})",
    "CREATE INDEX faturalar_carino ON faturalar (carino)",

    "CREATE TABLE stok_hareketleri (id {ID}, stokno INTEGER NOT NULL REFERENCES stoklar (stokno),"
    " carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " fatura INTEGER REFERENCES faturalar (idno), tarih {T}, saat {T}, turu {T}, evrakseri {T},"
    " evraksira {I}, miktar {M}, birimfiyat {M}, ind1 {M}, ind2 {M}, ind3 {M}, ind4 {M},"
    " toplamindirim {M}, masraf1 {M}, masraf2 {M}, tutar {M}, nettutar {M}, kdv {M}, vergi {M},"
    " vade {I}, saticino INTEGER REFERENCES saticilar (saticino), aciklama {T})",
    "CREATE INDEX stok_hareketleri_cari_stok ON stok_hareketleri (carino, stokno, tarih)",
    "CREATE INDEX stok_hareketleri_fatura ON stok_hareketleri (fatura)",

    "CREATE TABLE tahsilatlar (id {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " tarih {T}, saat {T}, turu {T}, evrakno {T}, aciklama {T})",
    "CREATE TABLE tahsilat_satirlari (id {ID},"
    " tahsilat INTEGER NOT NULL REFERENCES tahsilatlar (id) ON DELETE CASCADE, cins {T},"
    " vade {T}, tutar {M}, kur TEXT NOT NULL DEFAULT 'TL', kurtl DOUBLE PRECISION NOT NULL DEFAULT 1,"
    " doviz_tutar {M}, ref {T}, aciklama {T})",
    "CREATE INDEX tahsilat_satirlari_tahsilat ON tahsilat_satirlari (tahsilat, id)",
    "CREATE TABLE sanalpos (sirano {ID}, tahsilat INTEGER UNIQUE REFERENCES tahsilatlar (id),"
    " carino INTEGER NOT NULL REFERENCES cariler (carino), tarih {T}, tutar {M},"
    " kart_sahibi {T}, kart_no {T}, onay_kodu {T}, pdf {BLOB})",

    "CREATE TABLE cari_hareketler (idno {ID}, carino INTEGER NOT NULL REFERENCES cariler (carino),"
    " tarih {T}, vade_tarihi {T}, turadi {T}, evrakno {T}, borc {M}, alacak {M},"
    " kur TEXT NOT NULL DEFAULT 'TL', aciklama {T}, fatura INTEGER REFERENCES faturalar (idno),"
    " tahsilat INTEGER REFERENCES tahsilatlar (id))",
    "CREATE INDEX cari_hareketler_carino ON cari_hareketler (carino, tarih, idno)",

    "CREATE TABLE duyurular (sirano {ID}, baslik {T}, resim {T}, arama {T}, sira {I},"
    " aktif INTEGER NOT NULL DEFAULT 1)",
    "CREATE TABLE acilis_reklamlari (sirano {ID}, baslik {T}, resim {T}, arama {T}, sira {I},"
    " aktif INTEGER NOT NULL DEFAULT 1)",
    "CREATE TABLE bannerlar (ad TEXT PRIMARY KEY, resim {BLOB} NOT NULL)",

    "CREATE TABLE mail_kutusu (id {ID}, olusturma {T}, islem {T}, idsi {T}, baslik {T},"
    " firmaadi {T}, adres1 {T}, adres2 {T}, ilce {T}, sehir {T}, telefon {T}, fax {T}, vd {T},"
    " vn {T}, yetkili {T}, kullaniciadi {T}, sifre {T}, mail {T}, kargoambar {T}, konu TEXT,"
    " alici {T}, gonderildi {I})",

    "CREATE TABLE web_requests (id {ID}, created_at TEXT NOT NULL, computer_id {T},"
    " carino INTEGER, kullanici {T}, fields_json TEXT NOT NULL)",
};

const GeneratedKey kGeneratedKeys[] = {
    {"saticilar", "saticino"},   {"cariler", "carino"},   {"kullanicilar", "sirano"},      {"stoklar", "stokno"},
    {"cari_iskontolari", "id"},  {"sepet", "sirano"},     {"teslim_sekilleri", "id"},      {"kargo_turleri", "id"},
    {"kargolar", "sirano"},      {"siparisler", "idno"},  {"siparis_satirlari", "sirano"}, {"faturalar", "idno"},
    {"stok_hareketleri", "id"},  {"tahsilatlar", "id"},   {"tahsilat_satirlari", "id"},    {"sanalpos", "sirano"},
    {"cari_hareketler", "idno"}, {"duyurular", "sirano"}, {"acilis_reklamlari", "sirano"}, {"mail_kutusu", "id"},
    {"web_requests", "id"},
};

QString expand(const char *statement, Dialect dialect)
{
    QString sql = QString::fromUtf8(statement);
    // AUTOINCREMENT: a deleted basket line's or order's number is never given again.
    sql.replace(u"{ID}"_s, dialect == Dialect::Sqlite ? u"INTEGER PRIMARY KEY AUTOINCREMENT"_s
                                                      : u"INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"_s);
    sql.replace(u"{BLOB}"_s, dialect == Dialect::Sqlite ? u"BLOB"_s : u"BYTEA"_s);
    sql.replace(u"{T}"_s, u"TEXT NOT NULL DEFAULT ''"_s);
    sql.replace(u"{M}"_s, u"DOUBLE PRECISION NOT NULL DEFAULT 0"_s);
    sql.replace(u"{I}"_s, u"INTEGER NOT NULL DEFAULT 0"_s);
    return sql;
}

} // namespace

QStringList schemaStatements(Dialect dialect)
{
    QStringList out;
    for (const char *statement : kStatements)
        out.append(expand(statement, dialect));
    return out;
}

QList<GeneratedKey> generatedKeys()
{
    return QList<GeneratedKey>(std::begin(kGeneratedKeys), std::end(kGeneratedKeys));
}

Protocol::Expected<Protocol::Done> createSchema(const QSqlDatabase &db, Dialect dialect)
{
    for (const QString &statement : schemaStatements(dialect)) {
        if (auto done = exec(db, statement); !done)
            return done.error();
    }
    if (auto done = exec(db, u"INSERT INTO schema_version (version) VALUES (?)"_s, {kSchemaVersion}); !done)
        return done.error();
    return Protocol::Done{};
}

Protocol::Expected<Protocol::Done> syncGeneratedKeys(const QSqlDatabase &db, Dialect dialect)
{
    if (dialect != Dialect::Postgres)
        return Protocol::Done{};
    for (const GeneratedKey &key : kGeneratedKeys) {
        const QString table = QString::fromLatin1(key.table);
        const QString column = QString::fromLatin1(key.column);
        // Table and column names come from the fixed list above, never from a request.
        const QString sql = u"SELECT setval(pg_get_serial_sequence('%1', '%2'),"
                            u" COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)"_s.arg(table, column);
        if (auto done = exec(db, sql); !done)
            return done.error();
    }
    return Protocol::Done{};
}

Protocol::Expected<int> schemaVersion(const QSqlDatabase &db)
{
    if (!db.tables().contains(u"schema_version"_s))
        return 0;
    auto version = scalar(db, u"SELECT MAX(version) FROM schema_version"_s);
    if (!version)
        return version.error();
    return version->toInt();
}

} // namespace Store
