#pragma once

// The update check's and the download's network code lives in a module of its own, opened at the
// first download: the window then starts without the network libraries (and the Kerberos, proxy
// and compression libraries they bring), which most starts never use.

namespace briqo {

class Network;

// The module's one exported function: a new downloader, owned by the caller.
using MakeNetworkFunction = Network *(*)();
inline constexpr char MakeNetworkSymbol[] = "briqo_make_network";

} // namespace briqo
