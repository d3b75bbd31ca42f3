#pragma once

#include <string>

namespace tarsek {

// Texts the user sees in more than one window or more than one place: kept here once, so that
// every place says exactly the same.

/// The program's name: window captions, message boxes and the settings store use it.
inline constexpr const char* kProgramTitle = "Tarsek";

/// A key a number box does not take.
inline constexpr const char* kBadKeyText = "按键有误！请重新输入";
/// The survey table does not fit on the chosen paper.
inline constexpr const char* kPaperTooSmallText = "纸张太小，无法打印测斜数据！";
/// The name the survey report's PDF is suggested under.
inline constexpr const char* kSurveyReportName = "测斜数据及剖面图";
/// Title of the station import (file dialog and preview).
inline constexpr const char* kImportStationsTitle = "导入测点";

// Status panel texts: the well number followed by the suffix of the view or form in use.
inline constexpr const char* kDesignStatusSuffix = "井设计数据";
inline constexpr const char* kAntiCollisionStatusSuffix = "井防碰图";
inline constexpr const char* kBasicDataStatusSuffix = "井基本数据输入";
/// The tool box shows this, followed by the well number.
inline constexpr const char* kToolsStatusText = "工具计算";

/// A report file that could not be created.
inline std::string fileNotCreatedText(const std::string& path) {
  return "文件“" + path + "”无法生成，未能打印！";
}

}  // namespace tarsek
