#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the spreadsheet test files no office program writes: the quirks of tools that
# export .xlsx on their own, and damaged or hostile packages. Run in this folder.
import zipfile

NS = 'xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"


def xlsx(name, sheet, workbook_pr="", extra=()):
    parts = {
        "_rels/.rels": f'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        f'<Relationship Id="r1" Type="{REL}/officeDocument" Target="/xl/workbook.xml"/></Relationships>',
        "xl/workbook.xml": f'<x:workbook {NS} xmlns:r="{REL}">{workbook_pr}<x:sheets>'
        f'<x:sheet name="Export" sheetId="1" r:id="s1"/></x:sheets></x:workbook>',
        "xl/_rels/workbook.xml.rels": f'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
        f'relationships"><Relationship Id="s1" Type="{REL}/worksheet" Target="/xl/sheets/export.xml"/>'
        f"</Relationships>",
        "xl/sheets/export.xml": sheet,
        **dict(extra),
    }
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts.items():
            if text is not None:
                z.writestr(part, text)


def cell(text):
    return f'<x:c t="inlineStr"><x:is><x:t>{text}</x:t></x:is></x:c>'


# Inline strings (rich runs, a phonetic guide), prefixed elements, cells and rows without
# references, a formula's text, a truth value and a date in the 1904 date system.
rows = [
    "".join(cell(t) for t in ["Frage", "Antwort Richtig", "Antwort1", "Antwort2", "Antwort3"]),
    '<x:c t="inlineStr"><x:is><x:r><x:t>Wo liegt </x:t></x:r><x:r><x:t>Kyoto</x:t></x:r>'
    "<x:rPh><x:t>kyouto</x:t></x:rPh><x:r><x:t>?</x:t></x:r></x:is></x:c>"
    + "".join(cell(t) for t in ["Japan", "China", "Korea", "Vietnam"]),
    cell("Ist Wasser nass?") + '<x:c t="b"><x:v>1</x:v></x:c><x:c t="str"><x:f>A1</x:f><x:v>vielleicht</x:v></x:c>'
    + cell("nie") + cell("selten"),
    cell("Wann beginnt der Sommer?") + '<x:c s="1"><x:v>42175</x:v></x:c>' + cell("im Mai") + cell("im April")
    + cell("im März"),
]
styles = (f'<x:styleSheet {NS}><x:cellXfs count="2"><x:xf numFmtId="0"/><x:xf numFmtId="14"/></x:cellXfs>'
          "</x:styleSheet>")
xlsx("export_inline.xlsx", f'<x:worksheet {NS}><x:sheetData>' + "".join(f"<x:row>{r}</x:row>" for r in rows)
     + "</x:sheetData></x:worksheet>", '<x:workbookPr date1904="1"/>',
     [("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
       f'relationships"><Relationship Id="s1" Type="{REL}/worksheet" Target="/xl/sheets/export.xml"/>'
       f'<Relationship Id="st" Type="{REL}/styles" Target="styles.xml"/></Relationships>'),
      ("xl/styles.xml", styles)])
# A sheet that unpacks to 10 MB of blanks: far past the packing ratio of any real sheet.
xlsx("zip_bombe.xlsx", f"<x:worksheet {NS}><x:sheetData>" + " " * (10 << 20) + "</x:sheetData></x:worksheet>")
# Entities that would grow a few bytes into gigabytes.
laughs = '<!DOCTYPE x [<!ENTITY a "hahahahaha">' + "".join(
    f'<!ENTITY {chr(98 + i)} "{("&" + chr(97 + i) + ";") * 10}">' for i in range(9)) + "]>"
xlsx("entitaeten.xlsx", laughs + f"<x:worksheet {NS}><x:sheetData><x:row>{cell('&j;')}</x:row></x:sheetData>"
     "</x:worksheet>")
# The sheet's XML ends in the middle of a cell.
xlsx("abgeschnitten.xlsx", f"<x:worksheet {NS}><x:sheetData><x:row>{cell('Frage')}<x:c t=")

def ods(name, rows, columns):
    """One text repeated over `columns` columns of `rows` rows."""
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        z.writestr("content.xml", '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:'
                   'office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:'
                   'oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table '
                   f'table:name="Riesig"><table:table-row table:number-rows-repeated="{rows}"><table:table-cell '
                   f'table:number-columns-repeated="{columns}"><text:p>x</text:p></table:table-cell></table:table-'
                   "row></table:table></office:spreadsheet></office:body></office:document-content>")


ods("riesig.ods", 3000, 900)  # 2.7 million cells
# What Calc writes for cells alike (repeats), cells with a value but no text, blanks and
# tabs as elements, a picture in a cell, a million empty rows before the last one.
with zipfile.ZipFile("wiederholt.ods", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
    z.writestr("content.xml", '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:'
               'office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:'
               'names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:'
               '1.0"><office:body><office:spreadsheet><table:table table:name="Kurz"><table:table-row>'
               '<table:table-cell table:number-columns-repeated="3"><text:p>gleich</text:p></table:table-cell>'
               '<table:table-cell office:value-type="float" office:value="0.25"/><table:table-cell office:value-'
               'type="percentage" office:value="0.5"/><table:table-cell office:value-type="date" office:date-'
               'value="2024-02-29"/><table:table-cell office:value-type="boolean" office:boolean-value="true"/>'
               '<table:table-cell office:value-type="string" office:string-value="nur Attribut"/></table:table-'
               'row><table:table-row table:number-rows-repeated="2"><table:table-cell><text:p>A<text:s text:c="2"'
               '/>B<text:tab/>C<text:line-break/>D</text:p><draw:frame><text:p>Bild</text:p></draw:frame></table:'
               'table-cell></table:table-row><table:table-row table:number-rows-repeated="1000000"><table:table-'
               'cell table:number-columns-repeated="1024"/></table:table-row><table:table-row><table:table-cell>'
               "<text:p>ganz unten</text:p></table:table-cell></table:table-row></table:table></office:spreadsheet>"
               "</office:body></office:document-content>")
ods("breit.ods", 1, 5000)  # text in column 5,000
# The workbook names a sheet whose part is missing.
xlsx("ohne_blatt.xlsx", None)
# What a word processor or a presentation program saves, and a plain archive: no question list.
for name, part, text in [("brief.docx", "word/document.xml", "<w:document/>"),
                         ("vortrag.pptx", "ppt/presentation.xml", "<p:presentation/>"),
                         ("brief.odt", "mimetype", "application/vnd.oasis.opendocument.text"),
                         ("fragen.zip", "fragen.csv", "Frage;Antwort")]:
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(part, text)
