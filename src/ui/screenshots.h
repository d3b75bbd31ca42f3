#pragma once

#include <QString>

namespace tarsek {

/// Opens the sample wells in a scratch well directory (the user's settings untouched) and
/// writes a PNG of the main window with each view, and of the print preview, into dir. Returns
/// the program's exit status: 0 when every picture was written.
int writeScreenshots(const QString& dir);

}  // namespace tarsek
