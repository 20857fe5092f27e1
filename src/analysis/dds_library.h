#pragma once

#include <dds/dll.h>

#include <QString>

#include <mutex>

namespace briqo {

// The solver's shared library, opened at the first table rather than linked: it starts its
// threads and allocates its search tables as soon as it is loaded, which costs the window
// about 90 ms and 17 MiB at start-up even when no table is ever asked for. Only the header's
// types are used at build time.
struct DdsLibrary {
    decltype(&::SetMaxThreads) setMaxThreads = nullptr;
    decltype(&::CalcDDtable) calcDDtable = nullptr;
    decltype(&::CalcAllTables) calcAllTables = nullptr;
    decltype(&::SidesParBin) sidesParBin = nullptr;
    decltype(&::SidesPar) sidesPar = nullptr;
    decltype(&::ConvertToSidesTextFormat) convertToSidesTextFormat = nullptr;

    QString error; // why it could not be loaded; empty when every function was found
    bool loaded() const { return error.isEmpty(); }
};

// The name the library is opened by (its soname, "libdds.so.0" on Debian); BRIQO_DDS_LIBRARY in
// the environment names another file.
QString ddsLibraryName();

// Opens the library at the first call, from whichever thread asks, and keeps it for the rest of
// the run; every later call answers at once. The library's threads are set up on opening.
const DdsLibrary &ddsLibrary();

// Held while the library is opened and while it solves (solving opens it: the lock is taken
// again by the same thread). CalcDDtable spreads the five strains over the library's own
// threads, each with its search memory chosen by thread number; two tables computed at the same
// time would share that memory. So one table at a time, from whichever thread asks. At exit a
// table still being solved ends before the library's memory goes.
std::recursive_mutex &ddsSolverMutex();
// The program is exiting and the library's memory is gone: no table may be asked for (ask while
// holding ddsSolverMutex).
bool ddsLibraryClosed();
// Run at exit (registered when the library is opened, and by whoever starts solving on other
// threads before those threads' own clean-up is registered): waits for a table or an opening in
// progress, frees the library's memory, and lets no table or opening start after it.
void closeDdsLibrary();

} // namespace briqo
