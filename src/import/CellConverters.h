#pragma once
// How a cell's text becomes a member of a room or student record. Numbers
// are read as every number box reads them (store/NumberText), after the
// spaces inside the text are dropped; a text that holds no number counts
// as 0. A value that does not fit its member gives nullopt: the member is
// left as it was.
#include <cstdint>
#include <optional>
#include <string>

#include "startup/Calendar.h"
#include "store/NumberText.h"
#include "store/OleDate.h"
#include "store/Tables.h"

namespace tarvolen {

// The leading number of the cell, spaces anywhere skipped.
NumberText CellNumber(const std::string& cell, NumberTarget target);

// A whole-number member (Int32, Int16, Byte): nullopt when out of range.
std::optional<int64_t> CellWhole(const std::string& cell, NumberTarget target);
// A Single member.
std::optional<float> CellSingle(const std::string& cell);
// Card, ID and telephone numbers: the absolute value rounded to a whole
// number, as a Currency member holds it.
std::optional<int64_t> CellCardNumber(const std::string& cell);

// Room type or student major: the first major index whose name contains
// the cell (a non-empty cell), or whose non-empty name the cell contains.
std::optional<uint8_t> CellMajor(const std::string& cell, const CategoryLists& lists);

// Time-limit code: 1 (no limit) for a cell containing "不限" or contained
// in "不限时" (the empty cell too); minutes of at least 10 (without
// "默认") give minutes / 5 rounded half to even, at most 60; else 0.
int16_t CellTimeLimitCode(const std::string& cell);

// Service status: 0 (open) for "是", "开放", "启用"; otherwise 1.
int16_t CellServiceStatus(const std::string& cell);

// Sex: 0 when the cell contains "男", otherwise 1.
uint8_t CellSex(const std::string& cell);

// The enrolment date of a grade cell, by its length in characters: up to
// 5 the first four characters are the year (its autumn divider day); 8 to
// 10 a date written with 年 月 日 (or 号) or with "-" or "/"; any other
// length the current year. nullopt when the year or date cannot be read or
// lies before 1900.
std::optional<OleDate> CellEnrolment(const std::string& cell, const CivilDate& today, const Dividers& div);
// The enrolment date of a year: its autumn divider day; nullopt before 1900.
std::optional<OleDate> EnrolmentOfYear(int year, const Dividers& div);

// Class: the first class index whose name equals the (non-empty) cell.
std::optional<uint8_t> CellClass(const std::string& cell, const CategoryLists& lists);

// A dedicated room: the slot of the room named exactly so, 0 for none.
int16_t CellRoom(const std::string& cell, const RoomTable& rooms);

// Characters of a UTF-8 text, and its first n characters.
int CharacterCount(const std::string& utf8);
std::string FirstCharacters(const std::string& utf8, int n);

}  // namespace tarvolen
