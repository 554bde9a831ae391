#include "catalogue.h"

#include <QDebug>

#include <array>

namespace Protocol {

namespace {

using K = ParamKind;
using R = ResultKind;

constexpr Parameter P(std::string_view name, ParamKind kind)
{
    return Parameter{name, kind};
}

// Parameter lists, one per signature shape.
constexpr std::array<Parameter, 0> kNone{};
constexpr std::array kIdsi{P("idsi", K::Text)};
constexpr std::array kStokAra{P("kod", K::Text), P("bilgi", K::Session)};
constexpr std::array kCarino{P("carino", K::Int32)};
constexpr std::array kKampanyali{P("cario", K::Int32), P("satici", K::Int32)};
constexpr std::array kStokno{P("stokno", K::Int32)};
constexpr std::array kStokHareket{P("carino", K::Int32), P("stokno", K::Int32)};
constexpr std::array kSepetEkle{P("bilgim", K::Session), P("carino", K::Int32), P("stokno", K::Int32),
                                P("barkod", K::Text), P("stokadi", K::Text), P("miktar", K::Double),
                                P("kdv", K::Double), P("fiyat", K::Double), P("ind1", K::Double),
                                P("verenid", K::Int32), P("k", K::Int32), P("ind2", K::Double),
                                P("ind3", K::Double), P("ind4", K::Double)};
constexpr std::array kSepetGuncelle{P("bilgim", K::Session), P("carino", K::Int32), P("stokno", K::Int32),
                                    P("barkod", K::Text), P("stokadi", K::Text), P("miktar", K::Double),
                                    P("kdv", K::Double), P("fiyat", K::Double), P("ind1", K::Double),
                                    P("verenid", K::Int32), P("_sepetsirano", K::Int32), P("ind2", K::Double),
                                    P("ind3", K::Double), P("ind4", K::Double)};
constexpr std::array kSepetSatirSil{P("bilgi", K::Session), P("satirno", K::Int32), P("aciklamam", K::Text)};
constexpr std::array kBilgi{P("bilgi", K::Session)};
constexpr std::array kBil{P("bil", K::Session)};
constexpr std::array kSecim{P("sirano", K::Int32), P("secim", K::Int32)};
constexpr std::array kGn{P("gn", K::Int32)};
constexpr std::array kSiparisKaydet{P("BB", K::Session), P("_carino", K::Int32), P("_teslim", K::Int32),
                                    P("_kargo", K::Int32), P("_aciklama", K::Text), P("_verenid", K::Int32),
                                    P("_kargoyeni", K::Int32)};
constexpr std::array kCarinoIdnosu{P("carino", K::Int32), P("idnosu", K::Int32)};
constexpr std::array kCarinoSiranosu{P("carino", K::Int32), P("siranosu", K::Int32)};
constexpr std::array kIdnosu{P("idnosu", K::Int32)};
constexpr std::array kPdf{P("sirano", K::Int32), P("boy", K::OutInt64)};
constexpr std::array kBakiye{P("k", K::Session), P("stokno", K::Int32), P("sepetsirano", K::Int32),
                             P("siparissirano", K::Int32), P("Adet", K::Double), P("Bakiye", K::Double),
                             P("barkod", K::Text)};
constexpr std::array kBakiyeFiyat{P("k", K::Session), P("stokno", K::Int32), P("sepetsirano", K::Int32),
                                  P("siparissirano", K::Int32), P("Adet", K::Double), P("Bakiye", K::Double),
                                  P("barkod", K::Text), P("fiyat", K::Double), P("ind", K::Double)};
constexpr std::array kRapor{P("bilgi", K::Session), P("tarih1", K::Double), P("tarih2", K::Double)};
constexpr std::array kCariAra{P("bil", K::Session), P("aranan", K::Text)};
constexpr std::array kCariSepet{P("bil", K::Session), P("n", K::Int32)};
constexpr std::array kRaporGetir{P("raporno", K::Int32), P("bolum", K::Int32), P("idno", K::Int32),
                                 P("carino", K::Int32), P("saticiadi", K::Text), P("tarih1", K::Double),
                                 P("tarih2", K::Double), P("size", K::OutInt64)};
constexpr std::array kSira{P("sira", K::Int32)};
constexpr std::array kSize{P("size", K::OutInt64)};
constexpr std::array kMobilCari{P("sirano", K::Int32), P("_idsi", K::Text)};
constexpr std::array kMail{P("idsi", K::Text), P("baslik", K::Text), P("firmaadi", K::Text),
                           P("adres1", K::Text), P("adres2", K::Text), P("ilce", K::Text),
                           P("sehir", K::Text), P("telefon", K::Text), P("fax", K::Text),
                           P("vd", K::Text), P("vn", K::Text), P("yetkili", K::Text),
                           P("kullaniciadi", K::Text), P("sifre", K::Text), P("mail", K::Text),
                           P("kargoambar", K::Text)};
constexpr std::array kMailNormal{P("idsi", K::Text), P("baslik", K::Text), P("firmaadi", K::Text),
                                 P("adres1", K::Text), P("adres2", K::Text), P("ilce", K::Text),
                                 P("sehir", K::Text), P("telefon", K::Text), P("fax", K::Text),
                                 P("vd", K::Text), P("vn", K::Text), P("yetkili", K::Text),
                                 P("kullaniciadi", K::Text), P("sifre", K::Text), P("mail", K::Text),
                                 P("kargoambar", K::Text), P("konu", K::Text)};

const Operation kOperations[] = {
    // session
    {"BuyukGetir", kIdsi, R::Object, "baglantiu.TSonucBilgisi"},
    // catalogue
    {"StokAraGetirZerva", kStokAra, R::DataPacket, {}},
    {"YenilerVer2", kCarino, R::DataPacket, {}},
    {"KampanyaliVer2", kKampanyali, R::DataPacket, {}},
    {"EnVer", kStokno, R::Int32, {}},
    {"StokHareketVer", kStokHareket, R::DataPacket, {}},
    // basket and ordering
    {"SepetVer2", kCarino, R::DataPacket, {}},
    {"SepetEkle2", kSepetEkle, R::Int32, {}},
    {"SepetGuncelle2", kSepetGuncelle, R::Int32, {}},
    {"SepetSatirSil", kSepetSatirSil, R::Int32, {}},
    {"SepetHepsiniSil", kBilgi, R::Int32, {}},
    {"SepetSecimGuncelle", kSecim, R::None, {}},
    {"CariVadeGunGecmismiBul", kCarino, R::Text, {}},
    {"TeslimVer", kNone, R::TableReader, {}},
    {"KargoVer", kNone, R::TableReader, {}},
    {"KargolarVer", kGn, R::TableReader, {}},
    {"SiparisKaydet", kSiparisKaydet, R::Bool, {}},
    // account and documents
    {"OncekiSiparisler", kCarino, R::TableReader, {}},
    {"SiparisAyrintisi2", kCarinoIdnosu, R::TableReader, {}},
    {"SiparisAytintisiDip", kCarinoSiranosu, R::Object, "baglantiu.TSiparisDipAyrinti"},
    {"CariEkstreVer", kCarino, R::TableReader, {}},
    {"FaturaGetir", kCarinoIdnosu, R::TableReader, {}},
    {"FaturaAltGetir", kIdnosu, R::TableReader, {}},
    {"Tahsilat", kIdnosu, R::TableReader, {}},
    {"SanalposSiranoVer", kIdnosu, R::Int32, {}},
    {"SAnalPosPdfVer", kPdf, R::Stream, {}},
    {"BakiyelerVer2", kCarino, R::TableReader, {}},
    {"BakiyeDuzenle", kBakiye, R::Int32, {}},
    {"BakiyeDegistir", kBakiye, R::Int32, {}},
    {"BakiyeFiyatDegistir", kBakiyeFiyat, R::Int32, {}},
    {"TumSiparislerVer", kStokHareket, R::TableReader, {}},
    {"RaporAlinanSiparisler", kRapor, R::TableReader, {}},
    {"RaporEnCokSatilanStoklar", kRapor, R::TableReader, {}},
    // sales representative tools
    {"CariAra", kCariAra, R::TableReader, {}},
    {"CariSepetVer", kCariSepet, R::TableReader, {}},
    {"SepetSayisi", kBil, R::Int32, {}},
    {"TusSonuclariVer", kBil, R::Object, "baglantiu.TTusSonuclari"},
    {"RaporGetir", kRaporGetir, R::Stream, {}},
    // notices and messaging
    {"KayanYaziGetir", kNone, R::Text, {}},
    {"BalonGetir", kBil, R::TableReader, {}},
    {"AcilisEkranlarVer2", kNone, R::Object, "mobilstokunit.TAcilisEkranlariki"},
    {"AcilisReklamAdet", kNone, R::Int32, {}},
    {"AcilisREklamVer", kSira, R::Object, "mobilstokunit.TAcilisEkran"},
    {"BannerResimVer2", kSize, R::Stream, {}},
    {"BannerResimVer3", kSize, R::Stream, {}},
    {"MobilCariBilgisiGetir", kMobilCari, R::Object, "mobilstokunit.TMobilCariBilgisi"},
    {"MailGonserCari", kMail, R::Int32, {}},
    {"MailGonserCariNormal", kMailNormal, R::Int32, {}},
    {"CariDurumVer", kCarino, R::Text, {}},
};

} // namespace

int Operation::inputCount() const
{
    int n = 0;
    for (const Parameter &p : params)
        n += p.kind != ParamKind::OutInt64;
    return n;
}

int Operation::outputCount() const
{
    return int(params.size()) - inputCount();
}

std::span<const Operation> operations()
{
    return kOperations;
}

const Operation *findOperation(std::string_view name)
{
    for (const Operation &op : kOperations) {
        if (op.name == name)
            return &op;
    }
    return nullptr;
}

const Operation &operation(std::string_view name)
{
    if (const Operation *op = findOperation(name))
        return *op;
    qCritical("unknown server operation %.*s", int(name.size()), name.data());
    Q_ASSERT(false);
    static const Operation unknown{"", {}, ResultKind::None, {}};
    return unknown;
}

} // namespace Protocol
