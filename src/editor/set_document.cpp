// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/set_document.h"

#include <QBrush>
#include <QColor>
#include <QUndoCommand>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace tj::editor {

namespace {

std::string& fieldRef(data::QuestionSet& set, SetTable t, int index, int field) {
  const auto i = static_cast<std::size_t>(index);
  const auto f = static_cast<std::size_t>(field);
  if (t == SetTable::Cards) return *data::cardFields(set.cards.at(i)).at(f);
  return *data::questionFields((t == SetTable::Easy ? set.easy : set.hard).at(i)).at(f);
}

// A text typed into a cell: a tab or line break (pasted from elsewhere) becomes a blank.
std::string cellText(const QString& typed) {
  QString text = typed;
  for (QChar& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text.toStdString();
}

}  // namespace

int fieldCount(SetTable t) {
  return t == SetTable::Cards ? static_cast<int>(data::kCardFields.size()) : data::kTopic + 1;
}

QString caption(SetTable t) { return QString::fromUtf8(data::tableCaption(t).data(), data::tableCaption(t).size()); }

// ---------------------------------------------------------------------------------------
// Undo commands

class FieldCommand final : public QUndoCommand {
 public:
  FieldCommand(SetDocument& doc, SetTable t, int index, int field, std::string text)
      : doc_(doc),
        t_(t),
        index_(index),
        field_(field),
        new_(std::move(text)),
        old_(fieldRef(doc.set_, t, index, field)) {
    setText(QStringLiteral("Feld ändern"));
  }
  void redo() override { doc_.putField(t_, index_, field_, new_); }
  void undo() override { doc_.putField(t_, index_, field_, old_); }

 private:
  SetDocument& doc_;
  SetTable t_;
  int index_, field_;
  std::string new_, old_;
};

// Inserts (or, inverted, removes) runs of consecutive rows.
class RowsCommand final : public QUndoCommand {
 public:
  struct Run {
    int at;
    std::vector<Row> rows;
  };
  RowsCommand(SetDocument& doc, SetTable t, std::vector<Run> runs, bool insert, const QString& text,
              QUndoCommand* parent = nullptr)
      : QUndoCommand(text, parent), doc_(doc), t_(t), runs_(std::move(runs)), insert_(insert) {}
  void redo() override { insert_ ? put() : take(); }
  void undo() override { insert_ ? take() : put(); }

 private:
  // Runs are ascending: put in order, take from the back so earlier indices hold.
  void put() {
    for (const Run& r : runs_) doc_.putRows(t_, r.at, r.rows);
  }
  void take() {
    for (auto r = runs_.rbegin(); r != runs_.rend(); ++r) doc_.takeRows(t_, r->at, static_cast<int>(r->rows.size()));
  }
  SetDocument& doc_;
  SetTable t_;
  std::vector<Run> runs_;
  bool insert_;
};

// ---------------------------------------------------------------------------------------
// Table model

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(data::recordCount(doc_.set(), table_));
}

int TableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : fieldCount(table_); }

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int field = index.column();
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return QString::fromStdString(doc_.field(table_, index.row(), field));
  }
  if (role != Qt::ToolTipRole && role != Qt::BackgroundRole) return {};
  const auto problems = doc_.problemsOf(table_, index.row());
  if (problems.empty()) return {};
  if (role == Qt::BackgroundRole) {
    bool here = false;
    for (const auto* p : problems) here = here || p->field == field;
    return QBrush(here ? QColor(255, 170, 170) : QColor(255, 225, 225));
  }
  QStringList lines;
  for (const auto* p : problems) lines << QString::fromStdString(p->message);
  return lines.join('\n');
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  if (section < 0 || section >= fieldCount(table_)) return {};
  // The file's field names, as the problem messages name them; the wrong answers say so.
  const QString name = QString::fromStdString(content::fieldName(table_, section));
  const bool wrong = table_ != SetTable::Cards && section >= 1 && section <= 3;
  if (role == Qt::DisplayRole) return wrong ? name + QStringLiteral(" (falsch)") : name;
  return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  doc_.setField(table_, index.row(), index.column(), cellText(value.toString()));
  return true;
}

// ---------------------------------------------------------------------------------------
// Document

SetDocument::SetDocument() {
  for (const SetTable t : data::kSetTables)
    models_[static_cast<std::size_t>(t)] = std::make_unique<TableModel>(*this, t);
  // The rules measure every text; after a burst of edits they run once.
  checkTimer_.setSingleShot(true);
  checkTimer_.setInterval(150);
  connect(&checkTimer_, &QTimer::timeout, this, &SetDocument::startCheck);
  connect(&checking_, &QFutureWatcher<Checked>::finished, this, [this] {
    Checked done = checking_.result();
    if (done.generation != generation_) {
      startCheck();  // the set changed meanwhile
    } else if (appliedGeneration_ != generation_) {
      apply(std::move(done.problems));
    }
  });
}

SetDocument::~SetDocument() { checking_.waitForFinished(); }

void SetDocument::reset(data::QuestionSet set) {
  for (auto& m : models_) m->beginResetModel();
  set_ = std::move(set);
  problems_.clear();
  byRecord_.clear();
  for (auto& m : models_) m->endResetModel();
  undo_.clear();
  ++generation_;
  startCheck();
  emit changed();
}

Row SetDocument::row(SetTable t, int index) const {
  Row out;
  for (int f = 0; f < fieldCount(t); ++f) out.push_back(field(t, index, f));
  const auto& extra = set_.extra[static_cast<std::size_t>(t)];
  if (static_cast<std::size_t>(index) < extra.values.size()) {
    const auto& values = extra.values[static_cast<std::size_t>(index)];
    out.insert(out.end(), values.begin(), values.end());
  }
  return out;
}

const std::string& SetDocument::field(SetTable t, int index, int field) const {
  return fieldRef(const_cast<data::QuestionSet&>(set_), t, index, field);
}

void SetDocument::setField(SetTable t, int index, int field, const std::string& text) {
  if (fieldRef(set_, t, index, field) == text) return;
  undo_.push(new FieldCommand(*this, t, index, field, text));
}

void SetDocument::insertRows(SetTable t, int at, std::vector<Row> rows) {
  if (rows.empty()) return;
  const QString text = rows.size() == 1 ? QStringLiteral("Eintrag einfügen") : QStringLiteral("Einträge einfügen");
  undo_.push(new RowsCommand(*this, t, {{at, std::move(rows)}}, true, text));
}

void SetDocument::removeRows(SetTable t, std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  if (indices.empty()) return;
  // Consecutive indices form one run; a run's position counts the runs before it as present.
  std::vector<RowsCommand::Run> runs;
  for (const int i : indices) {
    if (!runs.empty() && runs.back().at + static_cast<int>(runs.back().rows.size()) == i) {
      runs.back().rows.push_back(row(t, i));
    } else {
      runs.push_back({i, {row(t, i)}});
    }
  }
  const QString text = indices.size() == 1 ? QStringLiteral("Eintrag löschen") : QStringLiteral("Einträge löschen");
  undo_.push(new RowsCommand(*this, t, std::move(runs), false, text));
}

void SetDocument::appendAll(const QString& what, const std::map<SetTable, std::vector<Row>>& rows) {
  auto* step = new QUndoCommand(what);
  for (const auto& [t, list] : rows) {
    if (list.empty()) continue;
    new RowsCommand(*this, t, {{static_cast<int>(data::recordCount(set_, t)), list}}, true, what, step);
  }
  if (step->childCount() == 0) {
    delete step;
    return;
  }
  undo_.push(step);
}

void SetDocument::putField(SetTable t, int index, int field, const std::string& text) {
  fieldRef(set_, t, index, field) = text;
  TableModel& m = model(t);
  emit m.dataChanged(m.index(index, field), m.index(index, field));
  edited();
}

void SetDocument::putRows(SetTable t, int at, const std::vector<Row>& rows) {
  TableModel& m = model(t);
  m.beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
  auto& extra = set_.extra[static_cast<std::size_t>(t)];
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const Row& r = rows[k];
    const auto pos = static_cast<std::ptrdiff_t>(at) + static_cast<std::ptrdiff_t>(k);
    // The fields beyond the game's travel with their record (a new one has them empty).
    if (!extra.names.empty()) {
      std::vector<std::string> values(r.begin() + std::min<std::ptrdiff_t>(fieldCount(t), std::ssize(r)), r.end());
      values.resize(extra.names.size());
      extra.values.insert(extra.values.begin() + std::min(pos, std::ssize(extra.values)), std::move(values));
    }
    if (t == SetTable::Cards) {
      set_.cards.insert(set_.cards.begin() + pos, data::Card{r.at(0), r.at(1), r.at(2), r.at(3)});
    } else {
      auto& list = t == SetTable::Easy ? set_.easy : set_.hard;
      // A row without the optional topic has none.
      list.insert(list.begin() + pos,
                  data::Question{r.at(0), {r.at(1), r.at(2), r.at(3)}, r.at(4), r.size() > 5 ? r[5] : std::string()});
    }
  }
  m.endInsertRows();
  edited();
}

void SetDocument::takeRows(SetTable t, int at, int count) {
  TableModel& m = model(t);
  m.beginRemoveRows({}, at, at + count - 1);
  auto erase = [&](auto& list) { list.erase(list.begin() + at, list.begin() + at + count); };
  if (auto& extra = set_.extra[static_cast<std::size_t>(t)].values; std::ssize(extra) >= at + count) erase(extra);
  if (t == SetTable::Cards) {
    erase(set_.cards);
  } else {
    erase(t == SetTable::Easy ? set_.easy : set_.hard);
  }
  m.endRemoveRows();
  edited();
}

void SetDocument::edited() {
  // Problems found before this change name records by their old positions.
  ++generation_;
  problems_.clear();
  byRecord_.clear();
  checkTimer_.start();
  emit changed();
}

// The rules measure every text in the game's fonts; for a large set that takes seconds,
// so the check runs on a copy of the set in the background.
void SetDocument::startCheck() {
  checkTimer_.stop();
  if (checking_.isRunning()) return;  // its end starts the next one
  checking_.setFuture(QtConcurrent::run([set = set_, generation = generation_] {
    return Checked{generation, content::checkSet(set)};
  }));
}

void SetDocument::checkNow() {
  checkTimer_.stop();
  checking_.waitForFinished();
  apply(content::checkSet(set_));
}

void SetDocument::apply(std::vector<content::Problem> problems) {
  appliedGeneration_ = generation_;
  problems_ = std::move(problems);
  byRecord_.clear();
  for (std::size_t i = 0; i < problems_.size(); ++i) {
    byRecord_[{static_cast<int>(problems_[i].table), problems_[i].record}].push_back(i);
  }
  for (auto& m : models_) {
    if (m->rowCount() > 0) emit m->dataChanged(m->index(0, 0), m->index(m->rowCount() - 1, m->columnCount() - 1));
  }
  emit checked();
}

std::vector<const content::Problem*> SetDocument::problemsOf(SetTable t, int index) const {
  std::vector<const content::Problem*> out;
  const auto it = byRecord_.find({static_cast<int>(t), index});
  if (it == byRecord_.end()) return out;
  for (const std::size_t i : it->second) out.push_back(&problems_[i]);
  return out;
}

bool SetDocument::hasBlockingProblem() const {
  return std::any_of(problems_.begin(), problems_.end(), [](const content::Problem& p) { return p.blocking; });
}

}  // namespace tj::editor
