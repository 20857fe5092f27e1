#include "analysis/dds_library.h"

#include <dlfcn.h>

#include <cstdlib>

namespace briqo {

namespace {

decltype(&::FreeMemory) libraryFreeMemory = nullptr;
bool libraryObjectsGone = false;

// Opened after start-up, the library's own objects are destroyed at exit before its closing
// routine runs, and that routine (FreeMemory) then walks the destroyed objects and crashes. It
// cannot be closed early (another library it loads keeps it in memory), so a handler registered
// just after opening it, which runs before its objects are destroyed, frees the memory while they
// live; the closing routine's own call then finds the FreeMemory below and does nothing.
void freeBeforeExit()
{
    if (libraryFreeMemory)
        libraryFreeMemory();
    libraryObjectsGone = true;
}

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
    const QByteArray name = ddsLibraryName().toLocal8Bit();
    // Kept open for the rest of the run: the library's threads live as long as it does.
    void *handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *why = dlerror();
        library.error = why ? QString::fromLocal8Bit(why) : QString::fromLocal8Bit(name);
        return library;
    }
    resolve(handle, "FreeMemory", libraryFreeMemory, library.error);
    std::atexit(freeBeforeExit);
    resolve(handle, "SetMaxThreads", library.setMaxThreads, library.error);
    resolve(handle, "CalcDDtable", library.calcDDtable, library.error);
    resolve(handle, "SidesParBin", library.sidesParBin, library.error);
    resolve(handle, "SidesPar", library.sidesPar, library.error);
    resolve(handle, "ConvertToSidesTextFormat", library.convertToSidesTextFormat, library.error);
    if (!library.loaded())
        return library;
    // Zero lets the library choose its thread count from the cores and the memory; on Linux it
    // expects this call before the first table.
    library.setMaxThreads(0);
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

const DdsLibrary &ddsLibrary()
{
    static const DdsLibrary library = open();
    return library;
}

} // namespace briqo
