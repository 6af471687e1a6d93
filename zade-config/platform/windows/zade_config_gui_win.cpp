// zade-config-gui: sets the adapter's CAN bus mode from a window.
#include <windows.h>

#include "one_shot.h"
#include "port_enumeration_win.h"
#include "serial_port_win.h"
#include "text_win.h"
#include "window_win.h"

namespace {

// On the window's worker thread: the same open, line settings and exchange
// as zade-config --mode. Windows does not tell who holds a COM port.
OneShotOutcome SetMode(const PortArgument& port, CanBusMode mode) {
  SerialPort serial;
  return SetModeOnce(serial, port, mode, {});
}

const WindowSystem kSystem = {EnumerateSerialPorts, SetMode, WideFromUtf8};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunWindow(instance, kSystem);
}
