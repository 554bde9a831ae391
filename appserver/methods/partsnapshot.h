#pragma once

// The parts' own columns held in memory for the catalogue lists.
//
// A stock search of 100,000 rows read through SQL spends most of its time turning cells into
// variants and back. The lists read the same 200,000 parts again and again, and the parts
// change seldom (price lists, stock levels), so one copy per database and process is kept,
// shared by every request thread, with the catalogue's change number it was read at
// (dataversions.h): a change to stoklar by anyone makes the next list read it again.
//
// What changes with every order (the open order quantities) and what belongs to one
// customer (his prices) is not kept here; the lists read those per request.

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Methods {

class PartSnapshot final
{
public:
    // The text columns of a part, in the order the lists need them.
    enum Text : int {
        Oem1, Oem2, Oem3, Barkod, OemNo, Adi, Model, Marka, Oem4, FinishKod, UreticiKodu,
        DigerAdi, DpKod, Birim, AnaGrup, OzelKod, PKod, TextCount
    };

    struct Part
    {
        int stokno = 0;
        qint64 barkodno = 0;
        int resim = 0;
        int kdv = 0;
        int kampanya = 0;
        int yeni = 0;
        int durum = 0;
        int durum2 = 0;
        int markaId = -1;   // index into names(): the make as the discount rows name it
        int anagrupId = -1; // likewise the group
        double fiyat = 0;
        double kampfiyat = 0;
        double kalan = 0;
        double verilensiparis = 0;
        std::uint32_t textStart = 0; // where this part's texts begin in the blob
        std::array<std::uint32_t, TextCount> textEnd{};
    };

    // The snapshot of the catalogue as it is now, read again when its change number moved.
    static Protocol::Expected<std::shared_ptr<const PartSnapshot>> current(const QSqlDatabase &db);

    const Part *find(int stokno) const; // nullptr for a number that names no part
    const std::vector<Part> &parts() const { return m_parts; } // ascending by stock number
    std::string_view text(const Part &part, Text which) const;

    // The makes and groups that occur, for matching discount rows without comparing texts.
    const std::vector<QString> &names() const { return m_names; }
    int nameId(const QString &name) const; // -1 when no part has it

private:
    std::vector<Part> m_parts;
    std::vector<int> m_byStokno; // stock number → index into m_parts, -1 for none
    std::string m_blob;
    std::vector<QString> m_names;
};

} // namespace Methods
