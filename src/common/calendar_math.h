#pragma once

namespace vorlan {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 1 = Sunday .. 7 = Saturday (proleptic Gregorian).
int WeekdayOf(int year, int month, int day);
// Days since 1970-01-01 and back.
long long DaysFromCivil(int year, int month, int day);
void CivilFromDays(long long days, int& year, int& month, int& day);

}  // namespace vorlan
