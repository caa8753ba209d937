#pragma once
// The program's two application titles: the one set before the main window exists, and the
// one the main window sets at its creation, which from then on is the caption of the window,
// the prefix of a file's caption and the caption of error boxes.

namespace AppTitle {
inline constexpr char Startup[] = "Prog MZ515";
inline constexpr char Main[] = "Программатор MZ-515 v. 7.2";
} // namespace AppTitle
