#pragma once

#include <QList>
#include <QString>

namespace Protocol {

// Plain data records that travel as marshalled objects. Fields keep the server's declared
// names and order (the order is also their order on the wire); each record's visit() walks
// them in that order and is all the marshaller needs.

// The session record: one per program run, copied with Kopyala for every call that takes it.
struct TSonucBilgisi
{
    static constexpr const char *typeName = "baglantiu.TSonucBilgisi";

    QString FBILGISAYARID;
    QString FSaticiMail;
    qint32 FSirano = 0;
    QString FCariAdi;
    QString FSIFRE;
    qint32 FSaticiNo = 0;
    qint32 FCARINO = 0;
    qint32 FAKTIF = 0;
    QString FKullanicimail;
    QString FADI;
    QString FSaticiTelefon;
    QString Fcarikod;
    bool FVarmi = false;
    QString FSaticiAdi;
    QString FBilgiSayarAdi;
    QString FDisip;
    QString FIcip;
    QString FBilgisayarKullanici;
    qint32 FMusteriTipi = 1; // a record that never saw a login behaves as a representative
    qint32 FVersion = 1;

    void Kopyala(const TSonucBilgisi &source) { *this = source; }

    template<typename V>
    void visit(V &&v)
    {
        v("FBILGISAYARID", FBILGISAYARID);
        v("FSaticiMail", FSaticiMail);
        v("FSirano", FSirano);
        v("FCariAdi", FCariAdi);
        v("FSIFRE", FSIFRE);
        v("FSaticiNo", FSaticiNo);
        v("FCARINO", FCARINO);
        v("FAKTIF", FAKTIF);
        v("FKullanicimail", FKullanicimail);
        v("FADI", FADI);
        v("FSaticiTelefon", FSaticiTelefon);
        v("Fcarikod", Fcarikod);
        v("FVarmi", FVarmi);
        v("FSaticiAdi", FSaticiAdi);
        v("FBilgiSayarAdi", FBilgiSayarAdi);
        v("FDisip", FDisip);
        v("FIcip", FIcip);
        v("FBilgisayarKullanici", FBilgisayarKullanici);
        v("FMusteriTipi", FMusteriTipi);
        v("FVersion", FVersion);
    }
    bool operator==(const TSonucBilgisi &) const = default;
};

// The footer texts of one order.
struct TSiparisDipAyrinti
{
    static constexpr const char *typeName = "baglantiu.TSiparisDipAyrinti";

    QString FSizinMesaj;
    QString FDurumu;
    QString FVeren;
    QString FKargo;
    QString FBizimMesaj;
    QString FTeslimCinsi;
    QString FKargoCinsi;
    QString FSaticiNotu;

    void Kopyala(const TSiparisDipAyrinti &source) { *this = source; }

    template<typename V>
    void visit(V &&v)
    {
        v("FSizinMesaj", FSizinMesaj);
        v("FDurumu", FDurumu);
        v("FVeren", FVeren);
        v("FKargo", FKargo);
        v("FBizimMesaj", FBizimMesaj);
        v("FTeslimCinsi", FTeslimCinsi);
        v("FKargoCinsi", FKargoCinsi);
        v("FSaticiNotu", FSaticiNotu);
    }
    bool operator==(const TSiparisDipAyrinti &) const = default;
};

// Order counts per state, for a representative's customers.
struct TTusSonuclari
{
    static constexpr const char *typeName = "baglantiu.TTusSonuclari";

    qint32 FAlindi = 0;
    qint32 FOnaylandi = 0;
    qint32 FParcaliHazirlandi = 0;
    qint32 FSevkEdildi = 0;
    qint32 FHazirlandi = 0;
    qint32 FGoruldu = 0;

    void Kopyala(const TTusSonuclari &source) { *this = source; }

    template<typename V>
    void visit(V &&v)
    {
        v("FAlindi", FAlindi);
        v("FOnaylandi", FOnaylandi);
        v("FParcaliHazirlandi", FParcaliHazirlandi);
        v("FSevkEdildi", FSevkEdildi);
        v("FHazirlandi", FHazirlandi);
        v("FGoruldu", FGoruldu);
    }
    bool operator==(const TTusSonuclari &) const = default;
};

// One picture item: announcement, opening screen or opening advertisement.
struct TAcilisEkran
{
    static constexpr const char *typeName = "mobilstokunit.TAcilisEkran";

    qint32 FSiraNo = 0;
    QString FResim; // the picture as hexadecimal text
    QString FBaslik;
    QString FArama; // search key: "#KAMPANYA#", "#YENİ#" or a search text

    template<typename V>
    void visit(V &&v)
    {
        v("FSiraNo", FSiraNo);
        v("FResim", FResim);
        v("FBaslik", FBaslik);
        v("FArama", FArama);
    }
    bool operator==(const TAcilisEkran &) const = default;
};

struct TAcilisEkranlariki
{
    static constexpr const char *typeName = "mobilstokunit.TAcilisEkranlariki";

    QList<TAcilisEkran> FEkranlar;

    template<typename V>
    void visit(V &&v)
    {
        v("FEkranlar", FEkranlar);
    }
    bool operator==(const TAcilisEkranlariki &) const = default;
};

// A customer card.
struct TMobilCariBilgisi
{
    static constexpr const char *typeName = "mobilstokunit.TMobilCariBilgisi";

    QString FBILGISAYARID;
    QString FSEHIR;
    QString FFAX1;
    QString FSATICIMAIL;
    QString FSATICIADI;
    QString FCARIADI;
    QString FEMAIL;
    QString FVERGIDAIRESI;
    QString FYETKILI;
    QString FAltGrup;
    QString FTEL2;
    QString FSIFRE;
    QString FGSM;
    QString FTEL1;
    QString FADRES2;
    double FTLBORC = 0;
    double FTLALACAK = 0;
    QString FADRES1;
    QString FULKE;
    QString FAnaGrup;
    qint32 FCARINO = 0;
    double FTLBAKIYE = 0;
    QString FVERGINO;
    QString FMAIL;
    QString FOzelKod;
    QString FKULLANICIADI;
    QString FSATICITELEFON;
    QString FCARIKOD;
    QString FFAX2;
    QString FILCE;

    void Kopyala(const TMobilCariBilgisi &source) { *this = source; }

    template<typename V>
    void visit(V &&v)
    {
        v("FBILGISAYARID", FBILGISAYARID);
        v("FSEHIR", FSEHIR);
        v("FFAX1", FFAX1);
        v("FSATICIMAIL", FSATICIMAIL);
        v("FSATICIADI", FSATICIADI);
        v("FCARIADI", FCARIADI);
        v("FEMAIL", FEMAIL);
        v("FVERGIDAIRESI", FVERGIDAIRESI);
        v("FYETKILI", FYETKILI);
        v("FAltGrup", FAltGrup);
        v("FTEL2", FTEL2);
        v("FSIFRE", FSIFRE);
        v("FGSM", FGSM);
        v("FTEL1", FTEL1);
        v("FADRES2", FADRES2);
        v("FTLBORC", FTLBORC);
        v("FTLALACAK", FTLALACAK);
        v("FADRES1", FADRES1);
        v("FULKE", FULKE);
        v("FAnaGrup", FAnaGrup);
        v("FCARINO", FCARINO);
        v("FTLBAKIYE", FTLBAKIYE);
        v("FVERGINO", FVERGINO);
        v("FMAIL", FMAIL);
        v("FOzelKod", FOzelKod);
        v("FKULLANICIADI", FKULLANICIADI);
        v("FSATICITELEFON", FSATICITELEFON);
        v("FCARIKOD", FCARIKOD);
        v("FFAX2", FFAX2);
        v("FILCE", FILCE);
    }
    bool operator==(const TMobilCariBilgisi &) const = default;
};

} // namespace Protocol
