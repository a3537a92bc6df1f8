#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <functional>

// Reads a list of files, each whole, with a few helper threads besides the
// calling one, every thread keeping one buffer from one file to the next.
// The passes over a whole school (class follow-up, product statistics) are
// dominated by this reading, which overlaps well across cores.
namespace ParallelFileReader {

// Called once per file, from any of the threads, with the file's index and
// its bytes, or with nullptr when it does not open. The bytes are valid only
// during the call. It must write only what belongs to that index.
using Traitement = std::function<void(int index, const QByteArrayView *contenu)>;

// Called on the calling thread only, between its files, with the number of
// files done so far and the total (first with 0, before any reading, then at
// least every few hundredths of a second); a false answer stops the pass.
using Progres = std::function<bool(int fait, int total)>;

// Helper threads besides the caller for `total` files: none for a handful of
// files, else as many as the machine has spare cores, at most three.
int aides_pour(int total);

// Reads and handles every file, then reports (total, total). False when the
// progress stopped it: the files not yet handled are then left untouched.
// With `aides` given (>= 0), that many helper threads are used instead.
bool traite_tout(const QStringList &chemins, const Traitement &traitement, const Progres &progres = {},
                 int aides = -1);

} // namespace ParallelFileReader
