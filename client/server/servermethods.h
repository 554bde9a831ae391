#pragma once

#include "protocol/catalogue.h"
#include "protocol/expected.h"
#include "protocol/value.h"

#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace Server {

class Connection;

// The proxy of the server class TServerMethods1: one method per operation, named and
// ordered as the server declares them. It is created on an open connection for one call
// (or a short run of calls) and dropped right after; it never owns the connection.
//
// A TSonucBilgisi parameter is taken by value: the call consumes the copy it is given, so a
// caller passes a fresh Kopyala of the session record each time.
// Tables come back with the money display format applied; a null object is an empty optional.
class TServerMethods1Client final
{
public:
    using TSonucBilgisi = Protocol::TSonucBilgisi;
    using ClientTable = Protocol::ClientTable;
    template<typename T> using Expected = Protocol::Expected<T>;

    // A proxy on a connection that is not open answers every call with an error.
    explicit TServerMethods1Client(Connection &connection);

    // Calls one operation of the catalogue with its sent parameters in signature order.
    // The answer holds the out parameters, then the return value (none for a procedure).
    Expected<std::vector<Protocol::Value>> call(std::string_view operation, std::vector<Protocol::Value> inputs);

    // --- session
    Expected<std::optional<TSonucBilgisi>> BuyukGetir(const QString &idsi);

    // --- catalogue
    Expected<ClientTable> StokAraGetirZerva(const QString &kod, TSonucBilgisi bilgi);
    Expected<ClientTable> YenilerVer2(qint32 carino);
    Expected<ClientTable> KampanyaliVer2(qint32 cario, qint32 satici);
    Expected<qint32> EnVer(qint32 stokno);
    Expected<ClientTable> StokHareketVer(qint32 carino, qint32 stokno);

    // --- basket and ordering
    Expected<ClientTable> SepetVer2(qint32 carino);
    Expected<qint32> SepetEkle2(TSonucBilgisi bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                                const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                                qint32 verenid, qint32 k, double ind2, double ind3, double ind4);
    Expected<qint32> SepetGuncelle2(TSonucBilgisi bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                                    const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                                    qint32 verenid, qint32 _sepetsirano, double ind2, double ind3, double ind4);
    Expected<qint32> SepetSatirSil(TSonucBilgisi bilgi, qint32 satirno, const QString &aciklamam);
    Expected<qint32> SepetHepsiniSil(TSonucBilgisi bilgi);
    Expected<Protocol::Done> SepetSecimGuncelle(qint32 sirano, qint32 secim);
    Expected<QString> CariVadeGunGecmismiBul(qint32 carino);
    Expected<ClientTable> TeslimVer();
    Expected<ClientTable> KargoVer();
    Expected<ClientTable> KargolarVer(qint32 gn);
    Expected<bool> SiparisKaydet(TSonucBilgisi BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                                 const QString &_aciklama, qint32 _verenid, qint32 _kargoyeni);

    // --- account and documents
    Expected<ClientTable> OncekiSiparisler(qint32 carino);
    Expected<ClientTable> SiparisAyrintisi2(qint32 carino, qint32 idnosu);
    Expected<std::optional<Protocol::TSiparisDipAyrinti>> SiparisAytintisiDip(qint32 carino, qint32 siranosu);
    Expected<ClientTable> CariEkstreVer(qint32 carino);
    Expected<ClientTable> FaturaGetir(qint32 carino, qint32 idnosu);
    Expected<ClientTable> FaturaAltGetir(qint32 idnosu);
    Expected<ClientTable> Tahsilat(qint32 idnosu);
    Expected<qint32> SanalposSiranoVer(qint32 idnosu);
    Expected<Protocol::Stream> SAnalPosPdfVer(qint32 sirano);
    Expected<ClientTable> BakiyelerVer2(qint32 carino);
    Expected<qint32> BakiyeDuzenle(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                   double Adet, double Bakiye, const QString &barkod);
    Expected<qint32> BakiyeDegistir(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                    double Adet, double Bakiye, const QString &barkod);
    Expected<qint32> BakiyeFiyatDegistir(TSonucBilgisi k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                         double Adet, double Bakiye, const QString &barkod, double fiyat, double ind);
    Expected<ClientTable> TumSiparislerVer(qint32 carino, qint32 stokno);
    Expected<ClientTable> RaporAlinanSiparisler(TSonucBilgisi bilgi, double tarih1, double tarih2);
    Expected<ClientTable> RaporEnCokSatilanStoklar(TSonucBilgisi bilgi, double tarih1, double tarih2);

    // --- sales representative tools
    Expected<ClientTable> CariAra(TSonucBilgisi bil, const QString &aranan);
    Expected<ClientTable> CariSepetVer(TSonucBilgisi bil, qint32 n);
    Expected<qint32> SepetSayisi(TSonucBilgisi bil);
    Expected<std::optional<Protocol::TTusSonuclari>> TusSonuclariVer(TSonucBilgisi bil);
    Expected<Protocol::Stream> RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                          const QString &saticiadi, double tarih1, double tarih2);

    // --- notices and messaging
    Expected<QString> KayanYaziGetir();
    Expected<ClientTable> BalonGetir(TSonucBilgisi bil);
    Expected<std::optional<Protocol::TAcilisEkranlariki>> AcilisEkranlarVer2();
    Expected<qint32> AcilisReklamAdet();
    Expected<std::optional<Protocol::TAcilisEkran>> AcilisREklamVer(qint32 sira);
    Expected<Protocol::Stream> BannerResimVer2();
    Expected<Protocol::Stream> BannerResimVer3();
    Expected<std::optional<Protocol::TMobilCariBilgisi>> MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi);
    Expected<qint32> MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                    const QString &adres1, const QString &adres2, const QString &ilce,
                                    const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
                                    const QString &vn, const QString &yetkili, const QString &kullaniciadi,
                                    const QString &sifre, const QString &mail, const QString &kargoambar);
    Expected<qint32> MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                          const QString &adres1, const QString &adres2, const QString &ilce,
                                          const QString &sehir, const QString &telefon, const QString &fax,
                                          const QString &vd, const QString &vn, const QString &yetkili,
                                          const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                          const QString &kargoambar, const QString &konu);
    Expected<QString> CariDurumVer(qint32 carino);

private:
    Connection *m_connection;
};

} // namespace Server
