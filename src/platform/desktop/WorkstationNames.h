#pragma once

#include <QString>

// The names a workstation writes into the in-use marker.
namespace workstation {

// The login name of the user running the program (empty when unknown).
QString userName();
// The host name of this computer.
QString machineName();

} // namespace workstation
