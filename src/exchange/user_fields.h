// Packed user fields: the route converters of the host formats keep values that the upload needs in
// a meter's User1 to User5, several texts joined in one; and a digits test for host values.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Joins the texts with "~". A zero byte inside a text becomes the byte 1 (a zero byte would end the
// stored text) and a "~" becomes the byte 2 (it would split the text in two when taken apart).
std::string CombineUser(const std::vector<std::string>& Source);
// The same into `out` (its storage reused), from texts held elsewhere.
void CombineUserInto(std::string& out, std::initializer_list<std::string_view> Source);
// Splits a text joined by CombineUser at "~" and turns the bytes 1 and 2 back into 0 and "~".
std::vector<std::string> ExtractUser(std::string_view Source);
// The same as views into `Source`, or into `storage` when bytes had to be turned back: valid while both
// stay unchanged (`parts` and `storage` keep their storage from call to call).
void ExtractUserInto(std::string_view Source, std::string& storage, std::vector<std::string_view>& parts);

// True when `value`, trimmed of spaces, is not empty and holds only the digits 0 to 9.
bool IsAllDigits(std::string_view value);

}  // namespace zav
