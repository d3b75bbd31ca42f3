#include "ui/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <algorithm>

namespace tarsek {

namespace {

// The help engine's own notes about the help file (its collection) live in a folder of this
// help window alone: never beside the help file, which may be read-only, and never shared with
// another program reading it at the same time. Reading the small manual in again is quick.
QString collectionPath(QTemporaryDir& dir) {
  if (dir.isValid()) return dir.filePath(QStringLiteral("tarsek.qhc"));
  QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (cache.isEmpty()) cache = QDir::tempPath() + QStringLiteral("/tarsek");
  QDir().mkpath(cache + QStringLiteral("/help"));
  return cache + QStringLiteral("/help/tarsek-%1.qhc").arg(QCoreApplication::applicationPid());
}

QString titleOf(const QString& html) {
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                        QRegularExpression::DotMatchesEverythingOption);
  const auto m = title.match(html);
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

}  // namespace

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent)
    : QTextBrowser(parent), engine_(engine) {
  setObjectName(QStringLiteral("helpBrowser"));
  setOpenLinks(true);
  setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (name.scheme() == QStringLiteral("qthelp")) {
    const QByteArray data = engine_.fileData(name);
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
      return QString::fromUtf8(data);
    return data;
  }
  return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString& qchPath, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(QStringLiteral("Tarsek 帮助"));
  resize(1000, 700);

  engine_ = new QHelpEngine(collectionPath(collectionDir_), this);
  engine_->setReadOnly(false);
  if (!QFileInfo(qchPath).isFile()) {
    error_ = QStringLiteral("帮助文件“%1”不存在。").arg(qchPath);
  } else if (!engine_->setupData()) {
    error_ = QStringLiteral("帮助无法打开：") + engine_->error();
  } else {
    namespace_ = QHelpEngineCore::namespaceName(qchPath);
    if (namespace_.isEmpty() || !engine_->registerDocumentation(qchPath)) {
      error_ = QStringLiteral("帮助文件“%1”无法读取。").arg(qchPath) + engine_->error();
    } else {
      ready_ = true;
    }
  }

  browser_ = new HelpBrowser(*engine_, this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("helpTabs"));

  QHelpContentWidget* contents = engine_->contentWidget();
  contents->setObjectName(QStringLiteral("helpContents"));
  tabs_->addTab(contents, QStringLiteral("目录"));
  connect(contents, &QHelpContentWidget::linkActivated, browser_,
          [this](const QUrl& url) { browser_->setSource(url); });

  auto* indexPage = new QWidget(this);
  auto* indexLayout = new QVBoxLayout(indexPage);
  indexLayout->setContentsMargins(2, 2, 2, 2);
  indexFilter_ = new QLineEdit(indexPage);
  indexFilter_->setObjectName(QStringLiteral("helpIndexFilter"));
  indexFilter_->setPlaceholderText(QStringLiteral("键入要查找的关键字"));
  QHelpIndexWidget* index = engine_->indexWidget();
  index->setObjectName(QStringLiteral("helpIndex"));
  indexLayout->addWidget(new QLabel(QStringLiteral("查找："), indexPage));
  indexLayout->addWidget(indexFilter_);
  indexLayout->addWidget(index, 1);
  tabs_->addTab(indexPage, QStringLiteral("索引"));
  connect(indexFilter_, &QLineEdit::textChanged, index,
          [index](const QString& text) { index->filterIndices(text); });
  connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
  connect(index, &QHelpIndexWidget::documentActivated, this,
          [this](const QHelpLink& link, const QString&) { browser_->setSource(link.url); });
  connect(index, &QHelpIndexWidget::documentsActivated, this,
          [this](const QList<QHelpLink>& links, const QString&) {
            if (!links.isEmpty()) browser_->setSource(links.first().url);
          });

  auto* searchPage = new QWidget(this);
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->setContentsMargins(2, 2, 2, 2);
  auto* searchRow = new QHBoxLayout;
  searchBox_ = new QLineEdit(searchPage);
  searchBox_->setObjectName(QStringLiteral("helpSearchBox"));
  searchBox_->setPlaceholderText(QStringLiteral("要查找的词，多个词用空格分开"));
  auto* searchButton = new QPushButton(QStringLiteral("搜索"), searchPage);
  searchButton->setObjectName(QStringLiteral("helpSearchButton"));
  searchRow->addWidget(searchBox_, 1);
  searchRow->addWidget(searchButton);
  results_ = new QListWidget(searchPage);
  results_->setObjectName(QStringLiteral("helpSearchResults"));
  results_->setWordWrap(true);
  searchLayout->addLayout(searchRow);
  searchLayout->addWidget(results_, 1);
  tabs_->addTab(searchPage, QStringLiteral("搜索"));
  connect(searchBox_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
  connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearch);
  connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    browser_->setSource(item->data(Qt::UserRole).toUrl());
    // The first place of the words on the page, marked.
    const QStringList words = searchBox_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) browser_->find(words.first());
  });
  connect(results_, &QListWidget::itemClicked, results_, &QListWidget::itemActivated);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 3);
  splitter->setSizes({260, 740});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  // The chapter of the page shown is marked in the contents.
  connect(browser_, &QTextBrowser::sourceChanged, contents, [contents](const QUrl& url) {
    QUrl page = url;
    page.setFragment({});
    const QModelIndex at = contents->indexOf(page);
    if (at.isValid()) contents->setCurrentIndex(at);
  });
  // The chapters open one level deep once the engine has read them from the help file.
  connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents, [this, contents] {
    contents->expandToDepth(0);
    QUrl page = browser_->source();
    page.setFragment({});
    const QModelIndex at = contents->indexOf(page);
    if (at.isValid()) contents->setCurrentIndex(at);
  });
  // A filter typed while the index was still being read applies once it is there.
  connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, index, [this, index] {
    if (!indexFilter_->text().isEmpty()) index->filterIndices(indexFilter_->text());
  });
  if (ready_) {
    engine_->contentModel()->createContents(QString());
    engine_->indexModel()->createIndex(QString());
  }
}

HelpWindow::~HelpWindow() {
  // The engine closes its collection before the collection's folder goes: the views of its
  // models first, then the engine, then (as a member) the folder.
  delete tabs_;
  delete browser_;
  delete engine_;
}

QUrl HelpWindow::urlFor(const HelpLocation& where) const {
  QUrl url(QStringLiteral("qthelp://%1/doc/%2").arg(namespace_, where.page));
  if (!where.anchor.isEmpty()) url.setFragment(where.anchor);
  return url;
}

QUrl HelpWindow::currentUrl() const { return browser_->source(); }

int HelpWindow::currentTab() const { return tabs_->currentIndex(); }

void HelpWindow::showContents() {
  tabs_->setCurrentIndex(0);
  showLocation({QString::fromUtf8(kHelpContentsPage), {}});
}

void HelpWindow::showIndex() {
  show();
  raise();
  activateWindow();
  tabs_->setCurrentIndex(1);
  if (browser_->source().isEmpty())
    browser_->setSource(urlFor({QString::fromUtf8(kHelpContentsPage), {}}));
  indexFilter_->setFocus();
  indexFilter_->selectAll();
}

void HelpWindow::showLocation(const HelpLocation& where) {
  show();
  raise();
  activateWindow();
  browser_->setSource(urlFor(where));
}

QList<QUrl> HelpWindow::pages() const {
  if (!ready_) return {};
  QList<QUrl> all = engine_->files(namespace_, QString(), QStringLiteral("html"));
  std::sort(all.begin(), all.end(),
            [](const QUrl& a, const QUrl& b) { return a.toString() < b.toString(); });
  return all;
}

bool HelpWindow::contentsReady() const {
  return ready_ && !engine_->contentModel()->isCreatingContents() &&
         engine_->contentModel()->rowCount() > 0 && !engine_->indexModel()->isCreatingIndex() &&
         engine_->indexModel()->rowCount() > 0;
}

void HelpWindow::loadPageTexts() {
  if (!texts_.empty()) return;
  for (const QUrl& url : pages()) {
    const QString html = QString::fromUtf8(engine_->fileData(url));
    PageText page;
    page.url = url;
    page.title = titleOf(html);
    // The words as the reader sees them: tags gone, entities resolved, lines joined.
    page.text = QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
    texts_.push_back(std::move(page));
  }
}

std::vector<HelpSearchHit> HelpWindow::search(const QString& query) {
  std::vector<HelpSearchHit> hits;
  const QStringList words = query.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) return hits;
  loadPageTexts();
  for (const PageText& page : texts_) {
    const bool all = std::all_of(words.begin(), words.end(), [&page](const QString& w) {
      return page.text.contains(w, Qt::CaseInsensitive);
    });
    if (!all) continue;
    const qsizetype at = page.text.indexOf(words.first(), 0, Qt::CaseInsensitive);
    const qsizetype from = std::max<qsizetype>(0, at - 20);
    hits.push_back({page.url, page.title, page.text.mid(from, 60)});
  }
  return hits;
}

void HelpWindow::runSearch() {
  results_->clear();
  const std::vector<HelpSearchHit> hits = search(searchBox_->text());
  if (hits.empty()) {
    auto* none = new QListWidgetItem(QStringLiteral("没有找到包含这些词的页面。"), results_);
    none->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const HelpSearchHit& hit : hits) {
    auto* item = new QListWidgetItem(
        hit.title + QStringLiteral("\n    …") + hit.excerpt + QStringLiteral("…"), results_);
    item->setData(Qt::UserRole, hit.url);
  }
}

}  // namespace tarsek
