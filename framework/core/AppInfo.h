// Names that identify the program to the user, the registry and other copies.
#pragma once

namespace appinfo {

constexpr char kProductName[] = "Pembroquil";           // message box titles, registry
constexpr char kCompanyName[] = "Tavenor";              // registry maker word
constexpr char kMainWindowClass[] = "PembroquilWClass";
constexpr char kFileVersionKey[] = "FileVersion";
// Sub-block of the version resource holding the program's texts.
constexpr char kVersionBlockFormat[] = "\\StringFileInfo\\041104b0\\%s";

}  // namespace appinfo
