#pragma once

#include "common/Regional.h"
#include "params/ParamFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// "dd/mm/yyyy hh:nn:ss" with the separators of the regional settings.
QString parameterTimeStamp(const QDateTime& when,
                           DateTimeSeparators separators = regionalSeparators());

// The lines of a saved file: every line kept in place, except that a line beginning with
// "#P" becomes the identification record (the target's file name without folder, cut or
// blank-filled to 20, the operator text, `now`, the language code), and lines beginning
// with "#R" or "#G" are rebuilt from the fields.
QStringList rebuildParameterLines(const QStringList& lines, const QString& targetFile,
                                  const ParamState& state, const QDateTime& now);

// Reads `currentFile` completely, then writes its rebuilt lines to `targetFile` (which may
// be the same file) in Windows-1252 with CR LF after every line, replacing it only once
// the new content is complete. A line holding a character that Windows-1252 cannot carry
// is refused rather than written with a substitute: EFileError, nothing written. Errors
// reading or writing raise EFileError too.
void SauverFichierParametres(const QString& currentFile, const QString& targetFile,
                             const ParamState& state, const QDateTime& now);
