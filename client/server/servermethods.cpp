#include "servermethods.h"

using namespace Qt::StringLiterals;

namespace Server {

using Protocol::ClientTable;
using Protocol::Done;
using Protocol::Error;
using Protocol::Expected;
using Protocol::Stream;
using Protocol::Value;
using Values = Expected<std::vector<Value>>;

namespace {

Error unexpectedAnswer()
{
    return Protocol::makeError(u"Sunucunun cevabı işlemin imzasına uymuyor"_s);
}

template<typename T> Expected<T> returnValue(Values values)
{
    if (!values)
        return values.error();
    if (values->empty())
        return unexpectedAnswer();
    if (T *value = std::get_if<T>(&values->back()))
        return std::move(*value);
    return unexpectedAnswer();
}

Expected<ClientTable> asTable(Values values)
{
    auto table = returnValue<ClientTable>(std::move(values));
    if (table)
        table->applyMoneyFormat();
    return table;
}

template<typename T> Expected<std::optional<T>> asObject(Values values)
{
    if (!values)
        return values.error();
    if (values->empty())
        return unexpectedAnswer();
    Value &last = values->back();
    if (std::holds_alternative<std::monostate>(last))
        return std::optional<T>();
    if (T *value = std::get_if<T>(&last))
        return std::optional<T>(std::move(*value));
    return unexpectedAnswer();
}

Expected<Done> asDone(Values values)
{
    if (!values)
        return values.error();
    return Done{};
}

} // namespace

// --- session

auto TServerMethods1Client::BuyukGetir(const QString &idsi) -> Expected<std::optional<TSonucBilgisi>>
{
    return asObject<TSonucBilgisi>(call("BuyukGetir", {idsi}));
}

// --- catalogue

auto TServerMethods1Client::StokAraGetirZerva(const QString &kod, TSonucBilgisi bilgi) -> Expected<ClientTable>
{
    return asTable(call("StokAraGetirZerva", {kod, std::move(bilgi)}));
}

auto TServerMethods1Client::YenilerVer2(qint32 carino) -> Expected<ClientTable>
{
    return asTable(call("YenilerVer2", {carino}));
}

auto TServerMethods1Client::KampanyaliVer2(qint32 cario, qint32 satici) -> Expected<ClientTable>
{
    return asTable(call("KampanyaliVer2", {cario, satici}));
}

auto TServerMethods1Client::EnVer(qint32 stokno) -> Expected<qint32>
{
    return returnValue<qint32>(call("EnVer", {stokno}));
}

auto TServerMethods1Client::StokHareketVer(qint32 carino, qint32 stokno) -> Expected<ClientTable>
{
    return asTable(call("StokHareketVer", {carino, stokno}));
}

// --- basket and ordering

auto TServerMethods1Client::SepetVer2(qint32 carino) -> Expected<ClientTable>
{
    return asTable(call("SepetVer2", {carino}));
}

auto TServerMethods1Client::SepetEkle2(TSonucBilgisi bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                                       const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                                       qint32 verenid, qint32 k, double ind2, double ind3, double ind4)
    -> Expected<qint32>
{
    return returnValue<qint32>(call("SepetEkle2", {std::move(bilgim), carino, stokno, barkod, stokadi, miktar, kdv,
                                                   fiyat, ind1, verenid, k, ind2, ind3, ind4}));
}

auto TServerMethods1Client::SepetGuncelle2(TSonucBilgisi bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                                           const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                                           qint32 verenid, qint32 _sepetsirano, double ind2, double ind3, double ind4)
    -> Expected<qint32>
{
    return returnValue<qint32>(call("SepetGuncelle2", {std::move(bilgim), carino, stokno, barkod, stokadi, miktar, kdv,
                                                       fiyat, ind1, verenid, _sepetsirano, ind2, ind3, ind4}));
}

auto TServerMethods1Client::SepetSatirSil(TSonucBilgisi bilgi, qint32 satirno, const QString &aciklamam)
    -> Expected<qint32>
{
    return returnValue<qint32>(call("SepetSatirSil", {std::move(bilgi), satirno, aciklamam}));
}

auto TServerMethods1Client::SepetHepsiniSil(TSonucBilgisi bilgi) -> Expected<qint32>
{
    return returnValue<qint32>(call("SepetHepsiniSil", {std::move(bilgi)}));
}

auto TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim) -> Expected<Done>
{
    return asDone(call("SepetSecimGuncelle", {sirano, secim}));
}

auto TServerMethods1Client::CariVadeGunGecmismiBul(qint32 carino) -> Expected<QString>
{
    return returnValue<QString>(call("CariVadeGunGecmismiBul", {carino}));
}

auto TServerMethods1Client::TeslimVer() -> Expected<ClientTable>
{
    return asTable(call("TeslimVer", {}));
}

auto TServerMethods1Client::KargoVer() -> Expected<ClientTable>
{
    return asTable(call("KargoVer", {}));
}

auto TServerMethods1Client::KargolarVer(qint32 gn) -> Expected<ClientTable>
{
    return asTable(call("KargolarVer", {gn}));
}

auto TServerMethods1Client::SiparisKaydet(TSonucBilgisi BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                                          const QString &_aciklama, qint32 _verenid, qint32 _kargoyeni)
    -> Expected<bool>
{
    return returnValue<bool>(
        call("SiparisKaydet", {std::move(BB), _carino, _teslim, _kargo, _aciklama, _verenid, _kargoyeni}));
}

// --- account and documents

auto TServerMethods1Client::OncekiSiparisler(qint32 carino) -> Expected<ClientTable>
{
    return asTable(call("OncekiSiparisler", {carino}));
}

auto TServerMethods1Client::SiparisAyrintisi2(qint32 carino, qint32 idnosu) -> Expected<ClientTable>
{
    return asTable(call("SiparisAyrintisi2", {carino, idnosu}));
}

auto TServerMethods1Client::SiparisAytintisiDip(qint32 carino, qint32 siranosu)
    -> Expected<std::optional<Protocol::TSiparisDipAyrinti>>
{
    return asObject<Protocol::TSiparisDipAyrinti>(call("SiparisAytintisiDip", {carino, siranosu}));
}

auto TServerMethods1Client::CariEkstreVer(qint32 carino) -> Expected<ClientTable>
{
    return asTable(call("CariEkstreVer", {carino}));
}

auto TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu) -> Expected<ClientTable>
{
    return asTable(call("FaturaGetir", {carino, idnosu}));
}

auto TServerMethods1Client::FaturaAltGetir(qint32 idnosu) -> Expected<ClientTable>
{
    return asTable(call("FaturaAltGetir", {idnosu}));
}

auto TServerMethods1Client::Tahsilat(qint32 idnosu) -> Expected<ClientTable>
{
    return asTable(call("Tahsilat", {idnosu}));
}

auto TServerMethods1Client::SanalposSiranoVer(qint32 idnosu) -> Expected<qint32>
{
    return returnValue<qint32>(call("SanalposSiranoVer", {idnosu}));
}

auto TServerMethods1Client::SAnalPosPdfVer(qint32 sirano) -> Expected<Stream>
{
    return returnValue<Stream>(call("SAnalPosPdfVer", {sirano}));
}

auto TServerMethods1Client::BakiyelerVer2(qint32 carino) -> Expected<ClientTable>
{
    return asTable(call("BakiyelerVer2", {carino}));
}

auto TServerMethods1Client::BakiyeDuzenle(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                          double Adet, double Bakiye, const QString &barkod) -> Expected<qint32>
{
    return returnValue<qint32>(
        call("BakiyeDuzenle", {std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod}));
}

auto TServerMethods1Client::BakiyeDegistir(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                           double Adet, double Bakiye, const QString &barkod) -> Expected<qint32>
{
    return returnValue<qint32>(
        call("BakiyeDegistir", {std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod}));
}

auto TServerMethods1Client::BakiyeFiyatDegistir(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano,
                                                qint32 siparissirano, double Adet, double Bakiye, const QString &barkod,
                                                double fiyat, double ind) -> Expected<qint32>
{
    return returnValue<qint32>(call(
        "BakiyeFiyatDegistir", {std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod, fiyat, ind}));
}

auto TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno) -> Expected<ClientTable>
{
    return asTable(call("TumSiparislerVer", {carino, stokno}));
}

auto TServerMethods1Client::RaporAlinanSiparisler(TSonucBilgisi bilgi, double tarih1, double tarih2)
    -> Expected<ClientTable>
{
    return asTable(call("RaporAlinanSiparisler", {std::move(bilgi), tarih1, tarih2}));
}

auto TServerMethods1Client::RaporEnCokSatilanStoklar(TSonucBilgisi bilgi, double tarih1, double tarih2)
    -> Expected<ClientTable>
{
    return asTable(call("RaporEnCokSatilanStoklar", {std::move(bilgi), tarih1, tarih2}));
}

// --- sales representative tools

auto TServerMethods1Client::CariAra(TSonucBilgisi bil, const QString &aranan) -> Expected<ClientTable>
{
    return asTable(call("CariAra", {std::move(bil), aranan}));
}

auto TServerMethods1Client::CariSepetVer(TSonucBilgisi bil, qint32 n) -> Expected<ClientTable>
{
    return asTable(call("CariSepetVer", {std::move(bil), n}));
}

auto TServerMethods1Client::SepetSayisi(TSonucBilgisi bil) -> Expected<qint32>
{
    return returnValue<qint32>(call("SepetSayisi", {std::move(bil)}));
}

auto TServerMethods1Client::TusSonuclariVer(TSonucBilgisi bil) -> Expected<std::optional<Protocol::TTusSonuclari>>
{
    return asObject<Protocol::TTusSonuclari>(call("TusSonuclariVer", {std::move(bil)}));
}

auto TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                       const QString &saticiadi, double tarih1, double tarih2) -> Expected<Stream>
{
    return returnValue<Stream>(call("RaporGetir", {raporno, bolum, idno, carino, saticiadi, tarih1, tarih2}));
}

// --- notices and messaging

auto TServerMethods1Client::KayanYaziGetir() -> Expected<QString>
{
    return returnValue<QString>(call("KayanYaziGetir", {}));
}

auto TServerMethods1Client::BalonGetir(TSonucBilgisi bil) -> Expected<ClientTable>
{
    return asTable(call("BalonGetir", {std::move(bil)}));
}

auto TServerMethods1Client::AcilisEkranlarVer2() -> Expected<std::optional<Protocol::TAcilisEkranlariki>>
{
    return asObject<Protocol::TAcilisEkranlariki>(call("AcilisEkranlarVer2", {}));
}

auto TServerMethods1Client::AcilisReklamAdet() -> Expected<qint32>
{
    return returnValue<qint32>(call("AcilisReklamAdet", {}));
}

auto TServerMethods1Client::AcilisREklamVer(qint32 sira) -> Expected<std::optional<Protocol::TAcilisEkran>>
{
    return asObject<Protocol::TAcilisEkran>(call("AcilisREklamVer", {sira}));
}

auto TServerMethods1Client::BannerResimVer2() -> Expected<Stream>
{
    return returnValue<Stream>(call("BannerResimVer2", {}));
}

auto TServerMethods1Client::BannerResimVer3() -> Expected<Stream>
{
    return returnValue<Stream>(call("BannerResimVer3", {}));
}

auto TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi)
    -> Expected<std::optional<Protocol::TMobilCariBilgisi>>
{
    return asObject<Protocol::TMobilCariBilgisi>(call("MobilCariBilgisiGetir", {sirano, _idsi}));
}

auto TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                           const QString &adres1, const QString &adres2, const QString &ilce,
                                           const QString &sehir, const QString &telefon, const QString &fax,
                                           const QString &vd, const QString &vn, const QString &yetkili,
                                           const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                           const QString &kargoambar) -> Expected<qint32>
{
    return returnValue<qint32>(call("MailGonserCari", {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon,
                                                       fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar}));
}

auto TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                                 const QString &adres1, const QString &adres2, const QString &ilce,
                                                 const QString &sehir, const QString &telefon, const QString &fax,
                                                 const QString &vd, const QString &vn, const QString &yetkili,
                                                 const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                                 const QString &kargoambar, const QString &konu) -> Expected<qint32>
{
    return returnValue<qint32>(
        call("MailGonserCariNormal", {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn,
                                      yetkili, kullaniciadi, sifre, mail, kargoambar, konu}));
}

auto TServerMethods1Client::CariDurumVer(qint32 carino) -> Expected<QString>
{
    return returnValue<QString>(call("CariDurumVer", {carino}));
}

} // namespace Server
