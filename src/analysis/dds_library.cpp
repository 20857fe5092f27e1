#include "analysis/dds_library.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

namespace briqo {

namespace {

decltype(&::FreeMemory) libraryFreeMemory = nullptr;
bool libraryObjectsGone = false;

std::recursive_mutex solverMutex;

// Opened after start-up, the library's own objects are destroyed at exit before its closing
// routine runs, and that routine (FreeMemory) then walks the destroyed objects and crashes. It
// cannot be closed early (another library it loads keeps it in memory), so a handler registered
// just after opening it, which runs before its objects are destroyed, waits for a table still
// being solved (a worker thread may be in the middle of one) and frees the memory while the
// objects live. No table starts after it (a worker waiting for the lock finds the library
// closed), and the closing routine's own call finds the FreeMemory below and does nothing.
} // namespace

void closeDdsLibrary()
{
    const std::lock_guard lock(solverMutex);
    if (libraryFreeMemory && !libraryObjectsGone)
        libraryFreeMemory();
    libraryObjectsGone = true;
}

namespace {

template<typename Function> bool resolve(void *handle, const char *name, Function &function, QString &error)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function && error.isEmpty())
        error = QString::fromLocal8Bit(dlerror());
    return function != nullptr;
}

DdsLibrary open()
{
    DdsLibrary library;
    // The program is ending: a library opened now would be set up while exit destroys it.
    if (libraryObjectsGone) {
        library.error = QStringLiteral("exit");
        return library;
    }
    const QByteArray name = ddsLibraryName().toLocal8Bit();
    // Kept open for the rest of the run: the library's threads live as long as it does.
    void *handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *why = dlerror();
        library.error = why ? QString::fromLocal8Bit(why) : QString::fromLocal8Bit(name);
        return library;
    }
    resolve(handle, "FreeMemory", libraryFreeMemory, library.error);
    resolve(handle, "SetMaxThreads", library.setMaxThreads, library.error);
    resolve(handle, "CalcDDtable", library.calcDDtable, library.error);
    resolve(handle, "CalcAllTables", library.calcAllTables, library.error);
    resolve(handle, "SidesParBin", library.sidesParBin, library.error);
    resolve(handle, "SidesPar", library.sidesPar, library.error);
    resolve(handle, "ConvertToSidesTextFormat", library.convertToSidesTextFormat, library.error);
    if (!library.loaded())
        return library;
    // Zero lets the library choose its thread count from the cores and the memory; on Linux it
    // expects this call before the first table.
    library.setMaxThreads(0);
    // After the set-up, so that it runs before whatever the set-up left to be destroyed at exit.
    std::atexit(closeDdsLibrary);
    return library;
}

} // namespace

} // namespace briqo

// The library calls FreeMemory through its own symbol table when it is unloaded at exit; the
// program exports this one (see the analysis CMake file), so the call lands here and reaches the
// library's own only while its objects still live.
extern "C" void FreeMemory()
{
    if (briqo::libraryFreeMemory && !briqo::libraryObjectsGone)
        briqo::libraryFreeMemory();
}

namespace briqo {

QString ddsLibraryName()
{
    const QByteArray chosen = qgetenv("BRIQO_DDS_LIBRARY");
    return chosen.isEmpty() ? QStringLiteral(BRIQO_DDS_SONAME) : QString::fromLocal8Bit(chosen);
}

std::recursive_mutex &ddsSolverMutex() { return solverMutex; }

bool ddsLibraryClosed() { return libraryObjectsGone; }

const DdsLibrary &ddsLibrary()
{
    static std::atomic<const DdsLibrary *> opened {nullptr};
    if (const DdsLibrary *library = opened.load(std::memory_order_acquire))
        return *library;
    // Opened under the solver's lock, so that a program ending meanwhile never frees a library
    // that is still being set up.
    const std::lock_guard lock(solverMutex);
    static const DdsLibrary library = open();
    opened.store(&library, std::memory_order_release);
    return library;
}

} // namespace briqo
