// A minimal PDF writer for the demo receipts: one A4 page of Helvetica text lines. The
// standard fonts have no Turkish letters, so the text is folded to ASCII here; documents
// that the server makes at run time come from its own PDF renderer.

#include "context.h"

#include "appserver/store/folding.h"

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

QByteArray pdfText(const QString &text)
{
    QByteArray out;
    for (const char c : Store::foldForSearch(text).toLatin1()) {
        if (c == '(' || c == ')' || c == '\\')
            out.append('\\');
        out.append(c);
    }
    return out;
}

} // namespace

QByteArray simplePdf(const QString &title, const QStringList &lines)
{
    QByteArray content = "BT /F1 16 Tf 56 780 Td (" + pdfText(title) + ") Tj ET\n";
    int y = 740;
    for (const QString &line : lines) {
        content += "BT /F1 11 Tf 56 " + QByteArray::number(y) + " Td (" + pdfText(line) + ") Tj ET\n";
        y -= 18;
    }

    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R >> >>"
        " /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace Seed
