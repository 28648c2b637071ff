#pragma once
// Where to look and which names: masks, folders, detailed path lines, levels
// and the exclusion filters on full paths.

#include "engine/CustomCriteria.h"
#include "engine/TargetPaths.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace engine {

class TFileCriteria : public TCustomCriteria {
public:
    void Assign(const TCustomCriteria &source) override;
    void Clear() override;

    // Masks separated by ";" ("*.txt; *.doc"); empty means "*.*".
    const QString &FileName() const { return fFileName; }
    void SetFileName(const QString &value);
    // Folders separated by ";", each with an optional prefix (">", "2>",
    // "1-3>", "<").
    const QString &Location() const { return fLocation; }
    void SetLocation(const QString &value);
    // Further targets, one a line: "[PREFIX]FOLDER/[MASK]".
    const QStringList &Paths() const { return fPaths; }
    void SetPaths(const QStringList &value);
    bool Subfolders() const { return fSubfolders; }
    void SetSubfolders(bool value);
    uint16_t MinLevel() const { return fMinLevel; }
    void SetMinLevel(uint16_t value);
    uint16_t MaxLevel() const { return fMaxLevel; }
    void SetMaxLevel(uint16_t value);
    // ">MASK" admits, "<MASK" or "MASK" excludes; the first line whose mask
    // matches the full path decides. Filters do not keep the walk out.
    const QStringList &Filters() const { return fFilters; }
    void SetFilters(const QStringList &value) { fFilters = value; }

    // Built on first request and kept until an input above changes.
    const TTargetPaths &GetTargetPaths();

    // The Filters test of an entry in Folder (ending in "/").
    bool Matches(const QString &folder, const QString &fileName) const;

private:
    void DropTargetPaths() { fTargetPaths.reset(); }
    QStringList LocationPieces() const;

    QString fFileName;
    QString fLocation;
    QStringList fPaths;
    bool fSubfolders = true;
    uint16_t fMinLevel = 0;
    uint16_t fMaxLevel = 0;
    QStringList fFilters;
    std::unique_ptr<TTargetPaths> fTargetPaths;
};

} // namespace engine
