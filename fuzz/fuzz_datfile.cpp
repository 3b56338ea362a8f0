// The measurement-parameter file loader and its range lines, on any file content.
#include "FuzzSupport.h"

#include "common/TextFile.h"
#include "params/ParamFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QStringList lines = splitLines(decodeText(bytes));

    ParamState state;
    loadParameterLines(lines, state);
    const bool valid = isValidParameterText(lines);
    // The file functions are these on the file's text: one real file per run shows it, the
    // other inputs stay in memory.
    static bool fileChecked = false;
    if (!fileChecked) {
        fileChecked = true;
        const QString path = fuzz::scratchFile(bytes);
        ParamState fromFile;
        ChargerFichierParametres(path, fromFile);
        fuzz::require(fromFile.ChampsP == state.ChampsP && fromFile.ChampsR == state.ChampsR &&
                          fromFile.ChampsG == state.ChampsG && fromFile.Plages == state.Plages &&
                          isValidParameterFile(path) == valid,
                      "a file loads as its bytes do");
    }

    for (const QString& line : lines) {
        fuzz::require(!line.contains(u'\r') && !line.contains(u'\n'), "lines hold no line end");
        RechercheMin(line, -1);
        RechercheMax(line, -1);
    }
    // A file is valid exactly when its four record tags are somewhere in it.
    bool allTags = true;
    for (const char* tag : {"#P", "#R", "#G", "#F"})
        allTags = allTags && decodeText(bytes).contains(QLatin1String(tag));
    fuzz::require(valid == allTags, "validity is the presence of the four tags");

    for (const QString& field : state.ChampsR)
        fuzz::require(field.size() <= kFieldWidth, "a record field fits its width");
    for (const QString& field : state.ChampsG)
        fuzz::require(field.size() <= kFieldWidth, "a record field fits its width");
    fuzz::require(state.ChampsP[ChampPFileName].size() <= kFileNameWidth &&
                      state.ChampsP[ChampPOperator].size() <= kOperatorWidth &&
                      state.ChampsP[ChampPDate].size() <= kDateWidth &&
                      state.ChampsP[ChampPLanguage].size() <= 1,
                  "the header texts fit their widths");

    // Loading is a function of the lines: the same lines loaded again change nothing.
    ParamState again = state;
    loadParameterLines(lines, again);
    fuzz::require(again.ChampsP == state.ChampsP && again.ChampsR == state.ChampsR &&
                      again.ChampsG == state.ChampsG && again.Plages == state.Plages,
                  "loading the same lines twice gives the same state");
    return 0;
}
