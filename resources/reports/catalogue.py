#!/usr/bin/env python3
"""Writes the definitions of the report catalogue (the Report table's files) in English and Korean.

The lists share one page header (parameters 1 to 3), one footer ("Page N of M") and one label stock,
so they are written from the tables below rather than kept by hand. Run it after changing a layout:
    python3 resources/reports/catalogue.py
The three details reports are kept by hand and not written here.

The reports' names and titles come from the report catalogue, common/ReportCatalogue.h, which also
names the report list; the titles are not written here a second time.
"""
import json
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
CATALOGUE = os.path.join(HERE, "..", "..", "common", "ReportCatalogue.h")


def read_catalogue():
    """The catalogue's rows: internal name -> (English name, Korean name); the English name is the
    internal name."""
    with open(CATALOGUE, encoding="utf-8") as f:
        source = f.read()
    row = re.compile(r'CatalogueReport\{\.name\s*=\s*"([^"]+)",\s*\.korean\s*=\s*"([^"]+)"')
    names = {m.group(1): (m.group(1), m.group(2)) for m in row.finditer(source)}
    if len(names) != 19:
        raise SystemExit("%s: expected 19 reports, found %d" % (CATALOGUE, len(names)))
    return names


NAMES = read_catalogue()

# Texts per language: English, Korean.
T = {
    "Date": ("Date", "날짜"),
    "Type": ("Type", "종류"),
    "Description": ("Description", "내용"),
    "Expense": ("Expense", "지출"),
    "Offering": ("Offering", "헌금"),
    "Amount": ("Amount", "금액"),
    "Note": ("Note", "메모"),
    "Total": ("Total", "합계"),
    "Subtotal": ("Subtotal", "소계"),
    "Grand total": ("Grand total", "총계"),
    "Balance": ("Balance (offerings less expenses)", "잔액 (헌금 - 지출)"),
    "Count": ("Entries:", "건수:"),
    "Giver": ("Giver", "헌금자"),
    "Envelope code": ("Envelope code", "봉투 번호"),
    "Name": ("Name", "이름"),
    "Korean name": ("Korean name", "한글 이름"),
    "English name": ("English name", "영문 이름"),
    "Day": ("Day", "일"),
    "Date of birth": ("Date of birth", "생년월일"),
    "Family": ("Family", "가정"),
    "Group": ("Group", "그룹"),
    "Head of family": ("Head:", "가장:"),
    "Head of group": ("Head:", "그룹장:"),
    "Family head column": ("Head", "가장"),
    "Group head column": ("Head", "그룹장"),
    "Address": ("Address", "주소"),
    "Home phone": ("Home phone", "집 전화"),
    "Cell phone": ("Cell phone", "휴대 전화"),
    "E-mail": ("E-mail", "이메일"),
    "Home:": ("Home:", "집:"),
    "Cell:": ("Cell:", "휴대 전화:"),
    "E-mail:": ("E-mail:", "이메일:"),
    "Page": ("Page %1 of %2", "%1 / %2 쪽"),
    "Yes": ("Yes", "예"),
    "No": ("No", "아니요"),
}

FONTS = {
    "body": {"size": 9},
    "heading": {"size": 9, "bold": True},
    "label": {"size": 9, "bold": True},
    "title": {"size": 14, "bold": True},
    "subtitle": {"size": 11, "bold": True},
    "group": {"size": 10, "bold": True},
    "small": {"size": 8},
}


class Lang:
    def __init__(self, lcid, index):
        self.lcid = lcid
        self.i = index
        self.korean = index == 1

    def t(self, key):
        return T[key][self.i]

    # The report's name in this language, as the report list names it and its pages print it.
    def report_name(self, internal_name):
        return NAMES[internal_name][self.i]

    # The person's display name, which the report printer adds to the rows: the name of the name locale,
    # else the other one, in both languages.
    def list_name(self):
        return {"field": "DisplayName"}

    def other_name(self):
        if self.korean:
            return {"join": ["FirstName", "MiddleName", "LastName"], "separator": " "}
        return {"field": "LanguageName"}

    def other_name_caption(self):
        return self.t("English name") if self.korean else self.t("Korean name")

    # One line in the address format of the settings, which the report printer adds to the rows.
    def address(self):
        return {"field": "AddressLine"}

    def page(self, landscape=False):
        orientation = "landscape" if landscape else "portrait"
        if self.korean:
            # A4 with the same printable width as Letter: 540 pt upright, 720 pt across.
            side = 60 if landscape else 27
            return {"size": "A4", "orientation": orientation,
                    "margins": {"top": 36, "bottom": 36, "left": side, "right": side}}
        return {"size": "Letter", "orientation": orientation,
                "margins": {"top": 36, "bottom": 36, "left": 36, "right": 36}}


def width(landscape):
    return 720 if landscape else 540


def cell(x, w, content, **kw):
    """A cell of a band; its text wraps, so that no value is ever cut."""
    c = {"x": x, "width": w, "wrap": True}
    c.update(kw)
    c.update(content)
    return c


def header(lang, name, landscape):
    W = width(landscape)
    lines = [{"cells": [cell(0, W, {"parameter": 1}, font="title", align="center")]}]
    # The report name the printer hands on (parameter 2) is the internal, English one: a Korean page
    # prints its Korean name instead, and only that.
    title = {"text": lang.report_name(name)} if lang.korean else {"parameter": 2}
    lines.append({"cells": [cell(0, W, title, font="subtitle", align="center")]})
    lines.append({"cells": [cell(0, W, {"parameter": 3}, align="center", wrap=True)]})
    lines.append({"spaceBefore": 2, "rule": True, "thickness": 1})
    return {"lines": lines}


def footer(lang, landscape):
    W = width(landscape)
    return {"lines": [{"rule": True},
                      {"cells": [cell(0, 200, {"printDate": True}, font="small"),
                                 cell(W - 200, 200, {"pageNumber": lang.t("Page")}, font="small", align="right")]}]}


def report(lang, name, body, landscape=False, parameters=3):
    d = {"name": lang.report_name(name),
         "page": lang.page(landscape),
         "fonts": FONTS,
         "parameters": ["CompanyName", "ReportName", "Criteria", "Caption4", "Caption5"][:parameters],
         "yesNo": [lang.t("Yes"), lang.t("No")],
         "pageHeader": header(lang, name, landscape),
         "pageFooter": footer(lang, landscape)}
    d.update(body)
    return d


def col(caption, w, value, **kw):
    c = {"caption": caption, "width": w, "value": value}
    c.update(kw)
    return c


def money(caption, w, field):
    return col(caption, w, field, align="right", format="currency")


def total_line(label, sums, label_width=200, font="label"):
    """A line with a label and sums right-aligned under their columns: sums = [(x, w, field)]."""
    cells = [cell(0, label_width, {"text": label}, font=font)]
    for x, w, field in sums:
        cells.append(cell(x, w, {"sum": field}, font=font, align="right"))
    return {"cells": cells}


def balance_sheet(lang):
    cols = [col(lang.t("Date"), 70, "Date", format="date"), col(lang.t("Type"), 140, "Type"),
            col(lang.t("Description"), 170, "Description"), money(lang.t("Expense"), 80, "ExpenseAmount"),
            money(lang.t("Offering"), 80, "OfferingAmount")]
    return report(lang, "Balance Sheet", {
        "detail": {"columns": cols},
        "reportFooter": {"lines": [
            {"spaceBefore": 2, "rule": True},
            total_line(lang.t("Total"), [(380, 80, "ExpenseAmount"), (460, 80, "OfferingAmount")]),
            {"spaceBefore": 4, "cells": [cell(0, 300, {"text": lang.t("Balance")}, font="label"),
                                         cell(400, 140, {"sum": "Balance"}, font="label", align="right")]}]}})


def summary(lang, name, type_field, cols, amount_x):
    return report(lang, name, {
        "groups": [{"field": type_field,
                    "header": {"lines": [{"spaceBefore": 6, "cells": [cell(0, 540, {"field": type_field},
                                                                           font="group")]}]},
                    "footer": {"lines": [{"rule": True, "x": amount_x, "width": 540 - amount_x},
                                         {"cells": [cell(0, 120, {"text": lang.t("Subtotal")}, font="label"),
                                                    cell(120, 60, {"count": True}, align="right"),
                                                    cell(amount_x, 540 - amount_x, {"sum": "Amount"},
                                                         font="label", align="right")]}]}}],
        "detail": {"columns": cols},
        "reportFooter": {"lines": [
            {"spaceBefore": 6, "rule": True, "thickness": 1},
            {"cells": [cell(0, 120, {"text": lang.t("Grand total")}, font="label"),
                       cell(120, 60, {"count": True}, align="right", font="label"),
                       cell(amount_x, 540 - amount_x, {"sum": "Amount"}, font="label", align="right")]}]}})


def expense_summary(lang):
    cols = [col(lang.t("Date"), 80, "ExpenseDate", format="date"), col(lang.t("Description"), 200, "ExpenseName"),
            col(lang.t("Note"), 170, "Note"), money(lang.t("Amount"), 90, "Amount")]
    return summary(lang, "Expense Summary", "ExpenseTypeName", cols, 450)


def offering_summary(lang):
    cols = [col(lang.t("Date"), 80, "OfferingDate", format="date"), col(lang.t("Envelope code"), 80, "EnvelopCode"),
            col(lang.t("Giver"), 290, lang.list_name()), money(lang.t("Amount"), 90, "Amount")]
    return summary(lang, "Offering Summary", "OfferingTypeName", cols, 450)


def money_list(lang, name, cols):
    return report(lang, name, {
        "detail": {"columns": cols},
        "reportFooter": {"lines": [
            {"spaceBefore": 2, "rule": True},
            {"cells": [cell(0, 120, {"text": lang.t("Total")}, font="label"),
                       cell(120, 60, {"count": True}, align="right"),
                       cell(450, 90, {"sum": "Amount"}, font="label", align="right")]}]}})


def expense_list(lang):
    return money_list(lang, "Expense List", [
        col(lang.t("Date"), 70, "ExpenseDate", format="date"), col(lang.t("Type"), 110, "ExpenseTypeName"),
        col(lang.t("Description"), 150, "ExpenseName"), col(lang.t("Note"), 120, "Note"),
        money(lang.t("Amount"), 90, "Amount")])


def offering_list(lang):
    return money_list(lang, "Offering List", [
        col(lang.t("Date"), 70, "OfferingDate", format="date"), col(lang.t("Type"), 110, "OfferingTypeName"),
        col(lang.t("Giver"), 170, lang.list_name()), col(lang.t("Note"), 100, "Note"),
        money(lang.t("Amount"), 90, "Amount")])


def envelope_list(lang):
    return report(lang, "Envelop Code List", {
        "detail": {"columns": [col(lang.t("Envelope code"), 100, "EnvelopCode"),
                               col(lang.t("Name"), 260, lang.list_name()),
                               col(lang.other_name_caption(), 180, lang.other_name())]},
        "reportFooter": {"lines": [{"spaceBefore": 2, "rule": True},
                                   {"cells": [cell(0, 100, {"text": lang.t("Count")}, font="label"),
                                              cell(100, 60, {"count": True}, align="right")]}]}})


def birthday_list(lang):
    # "MonthName" is the month's full name, which the report printer adds to the rows.
    return report(lang, "Monthly Birthday List", {
        "groups": [{"field": "Month",
                    "header": {"lines": [{"spaceBefore": 6, "cells": [cell(0, 540, {"field": "MonthName"},
                                                                           font="group")]}]},
                    "footer": {"lines": [{"cells": [cell(0, 100, {"text": lang.t("Count")}, font="small"),
                                                    cell(100, 40, {"count": True}, font="small",
                                                         align="right")]}]}}],
        "detail": {"columns": [col(lang.t("Day"), 40, "Day", align="center"),
                               col(lang.t("Name"), 220, lang.list_name()),
                               col(lang.other_name_caption(), 180, lang.other_name()),
                               col(lang.t("Date of birth"), 100, "DOB", format="date")]}})


def contact_lines(lang, x=0):
    """The address line and the phone and e-mail line of a contact block."""
    W = 540 - x
    return [
        {"cells": [cell(x, W, lang.address(), wrap=True)]},
        {"cells": phone_line(lang, x, W)},
    ]


def phone_line(lang, x, W):
    """Home phone, cell phone and e-mail, each after its label; the labels as wide as their words."""
    widths = {"Home:": 22, "Cell:": 50, "E-mail:": 40} if lang.korean else {"Home:": 35, "Cell:": 35, "E-mail:": 55}
    cells = []
    at = x
    for label, field, value_width in (("Home:", "HomePhoneNumber", 100), ("Cell:", "CellPhoneNumber", 100),
                                      ("E-mail:", "EMailAddress", None)):
        cells.append(cell(at, widths[label], {"text": lang.t(label)}))
        at += widths[label]
        w = value_width if value_width else x + W - at
        cells.append(cell(at, w, {"field": field}))
        at += w + 5
    return cells


def block(first_line, lang):
    return {"detail": {"band": {"lines": [{"spaceBefore": 5, "cells": first_line}] + contact_lines(lang, 12) +
                                          [{"spaceBefore": 3, "rule": True, "thickness": 0.25}]}}}


def family_list(lang):
    first = [cell(0, 220, {"field": "Name"}, font="label"),
             cell(230, 40, {"text": lang.t("Head of family")}),
             cell(270, 270, lang.list_name())]
    return report(lang, "Family Contact List", block(first, lang))


def group_list(lang):
    first = [cell(0, 220, {"field": "Name"}, font="label"),
             cell(230, 40, {"text": lang.t("Head of group")}),
             cell(270, 270, lang.list_name())]
    body = block(first, lang)
    body["groups"] = [{"field": "GroupType",
                       "header": {"lines": [{"spaceBefore": 8, "cells": [cell(0, 540, {"field": "GroupType"},
                                                                              font="group")]}]}}]
    return report(lang, "Group Contact List", body)


def member_list(lang):
    first = [cell(0, 260, lang.list_name(), font="label"), cell(270, 270, lang.other_name())]
    return report(lang, "Member Contact List", block(first, lang))


def column_view(lang, name, cols, parameters=3):
    return report(lang, name + " - Column View", {"detail": {"columns": cols}}, landscape=True,
                  parameters=parameters)


def contact_columns(lang, address_width, email_width):
    return [col(lang.t("Address"), address_width, lang.address()),
            col(lang.t("Home phone"), 75, "HomePhoneNumber"), col(lang.t("Cell phone"), 75, "CellPhoneNumber"),
            col(lang.t("E-mail"), email_width, "EMailAddress")]


def family_view(lang):
    return column_view(lang, "Family Contact List", [
        col(lang.t("Family"), 110, "Name"), col(lang.t("Family head column"), 130, lang.list_name())] +
        contact_columns(lang, 200, 130))


def group_view(lang):
    return column_view(lang, "Group Contact List", [
        col({"parameter": 4}, 80, "GroupType"), col(lang.t("Group"), 110, "Name"),
        col(lang.t("Group head column"), 120, lang.list_name())] + contact_columns(lang, 150, 110), parameters=4)


def member_view(lang):
    return column_view(lang, "Member Contact List", [
        col(lang.t("Name"), 120, lang.list_name()), col(lang.other_name_caption(), 75, lang.other_name()),
        col({"parameter": 4}, 45, "Sex"), col({"parameter": 5}, 65, "DOB", format="date")] +
        contact_columns(lang, 160, 105), parameters=5)


# Avery 5160 and 5260: US Letter, 3 by 10 labels of 2.625 by 1 in, 0.5 in from the top, 0.1875 in
# from the side, 2.75 in from one column to the next.
STOCK = {"columns": 3, "rows": 10, "width": 189, "height": 72, "top": 36, "left": 13.5,
         "columnPitch": 198, "rowPitch": 72, "padding": 6}


def label(lang, kind, stock):
    # The name in reading order with its title (without it when the label is full), then the address
    # lines in the address format of the settings; the report printer adds these fields to the rows.
    lines = [{"field": "FullName", "shorter": {"field": "FullNameWithoutTitle"}}, {"field": "MailingAddress"}]
    labels = dict(STOCK)
    labels["font"] = "body"
    labels["lines"] = lines
    name = "%s Mailing Label - Avery %s" % (kind, stock)
    return {"name": lang.report_name(name),
            "page": {"size": "Letter", "orientation": "portrait"},
            "fonts": {"body": {"size": 9}},
            "labels": labels}


DEFINITIONS = {
    "Balance Sheet": balance_sheet,
    "Expense Summary": expense_summary,
    "Offering Summary": offering_summary,
    "Expense List": expense_list,
    "Offering List": offering_list,
    "Envelop Code List": envelope_list,
    "Monthly Birthday List": birthday_list,
    "Family Contact List": family_list,
    "Group Contact List": group_list,
    "Member Contact List": member_list,
    "Family Contact List - Column View": family_view,
    "Group Contact List - Column View": group_view,
    "Member Contact List - Column View": member_view,
}
for kind in ("Family", "Group", "Member"):
    for stock in ("5160", "5260"):
        DEFINITIONS["%s Mailing Label - Avery %s" % (kind, stock)] = \
            (lambda k, s: lambda lang: label(lang, k, s))(kind, stock)


def main():
    for lcid, index in (("1033", 0), ("1042", 1)):
        lang = Lang(lcid, index)
        for name, make in DEFINITIONS.items():
            path = os.path.join(HERE, lcid, name + ".rpt")
            with open(path, "w", encoding="utf-8") as f:
                json.dump(make(lang), f, ensure_ascii=False, indent=2)
                f.write("\n")


if __name__ == "__main__":
    main()
