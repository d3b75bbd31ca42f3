#pragma once

#include <QString>

namespace tarsek {

/// Directory of the sample wells: samples/ beside the program in a build tree, otherwise
/// share/tarsek/samples of the prefix the program is installed in.
QString sampleWellsDirectory();

/// The manual (tarsek.qch): share/doc/tarsek of the prefix beside the program's bin/ folder; a
/// build tree keeps it at the same place relative to its bin/. The path is returned whether or
/// not the file exists.
QString helpFilePath();

/// First run: when wellDirectory holds no design file, copies every sample well file of
/// samplesDir (default: beside the program) into it and returns the well number of the first
/// single-target sample; returns "" when nothing was installed.
QString installSampleWells(const QString& wellDirectory, const QString& samplesDir = {});

}  // namespace tarsek
