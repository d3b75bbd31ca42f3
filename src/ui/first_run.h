#pragma once

#include <QString>

namespace tarsek {

/// Directory of the sample wells installed beside the program.
QString sampleWellsDirectory();

/// First run: when wellDirectory holds no design file, copies every sample well file of
/// samplesDir (default: beside the program) into it and returns the well number of the first
/// single-target sample; returns "" when nothing was installed.
QString installSampleWells(const QString& wellDirectory, const QString& samplesDir = {});

}  // namespace tarsek
