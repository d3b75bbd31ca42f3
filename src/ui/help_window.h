#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "ui/help_topics.h"

class QHelpEngine;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace tarsek {

/// The page view of the help window: pages and pictures come out of the help file.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  HelpBrowser(QHelpEngine& engine, QWidget* parent);
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  QHelpEngine& engine_;
};

/// One page found by the search: its address, title and a line of text around the first hit.
struct HelpSearchHit {
  QUrl url;
  QString title;
  QString excerpt;
};

/// The help window: the manual's contents, index and full-text search beside the page view.
/// The manual is a Qt help file; the collection the help engine keeps about it lives in a
/// temporary folder of the window's own, so that an installed program never writes beside its
/// help file.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  /// Opens the help file at qchPath; ready() tells whether that worked.
  explicit HelpWindow(const QString& qchPath, QWidget* parent = nullptr);
  ~HelpWindow() override;

  /// True when the help file was found and registered.
  bool ready() const noexcept { return ready_; }
  /// Why the help file could not be used, "" when ready.
  QString errorText() const { return error_; }

  /// Shows the window with the contents tab and the first page.
  void showContents();
  /// Shows the window with the index tab and its filter box focused.
  void showIndex();
  /// Shows the window at a page and anchor of the manual.
  void showLocation(const HelpLocation& where);

  /// The address of a page and anchor inside the help file.
  QUrl urlFor(const HelpLocation& where) const;
  /// The page shown, as an address inside the help file.
  QUrl currentUrl() const;
  /// The tab shown: 0 contents, 1 index, 2 search.
  int currentTab() const;

  /// Every page of the manual whose text holds all the words of query (words are separated by
  /// blanks; a Chinese word is found wherever its characters stand together in the text). Pages
  /// in the order of the manual's file names.
  std::vector<HelpSearchHit> search(const QString& query);
  /// Every page of the help file.
  QList<QUrl> pages() const;
  /// True once the contents and the index have been read from the help file (the engine reads
  /// them in the background after the window opened).
  bool contentsReady() const;

 private:
  void runSearch();
  void loadPageTexts();

  QTemporaryDir collectionDir_{QDir::tempPath() + QStringLiteral("/tarsek-help-XXXXXX")};
  QHelpEngine* engine_ = nullptr;
  QString namespace_;
  bool ready_ = false;
  QString error_;
  QTabWidget* tabs_ = nullptr;
  HelpBrowser* browser_ = nullptr;
  QLineEdit* indexFilter_ = nullptr;
  QLineEdit* searchBox_ = nullptr;
  QListWidget* results_ = nullptr;
  struct PageText {
    QUrl url;
    QString title;
    QString text;
  };
  std::vector<PageText> texts_;
};

}  // namespace tarsek
