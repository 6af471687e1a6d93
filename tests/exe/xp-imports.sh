#!/usr/bin/env bash
# Usage: xp-imports.sh EXE
# Lists every function the exe imports, per DLL, and fails on any that is not
# in the list below: functions that Windows XP SP3 provides. Add a name only
# when you know XP SP3 exports it from that DLL; otherwise the exe would stop
# loading there with "entry point not found".
set -euo pipefail
exe=$1

xp_sp3=$(cat <<'LIST'
ADVAPI32.DLL RegCloseKey RegCreateKeyA RegEnumValueA RegOpenKeyExA RegQueryValueExA
ADVAPI32.DLL RegSetValueExA RegEnumValueW RegOpenKeyExW RegQueryValueExW
KERNEL32.DLL CloseHandle CreateFileA DeleteCriticalSection EnterCriticalSection
KERNEL32.DLL FreeLibrary GetConsoleMode GetLastError GetModuleHandleA GetModuleHandleW
KERNEL32.DLL GetProcAddress GetStartupInfoA GetStdHandle GetTickCount GetVersion
KERNEL32.DLL InitializeCriticalSection IsDBCSLeadByteEx LeaveCriticalSection LoadLibraryA
KERNEL32.DLL MultiByteToWideChar PeekConsoleInputA PurgeComm ReadConsoleInputA ReadFile
KERNEL32.DLL SetCommState SetCommTimeouts SetConsoleCursorPosition SetConsoleMode
KERNEL32.DLL SetUnhandledExceptionFilter SetupComm Sleep TlsGetValue VirtualProtect
KERNEL32.DLL VirtualQuery WaitForSingleObject WideCharToMultiByte WriteFile lstrcmpiA
KERNEL32.DLL GetConsoleOutputCP GetEnvironmentVariableW GetOEMCP WriteConsoleW
MSVCRT.DLL __getmainargs __initenv __mb_cur_max __p__acmdln __p__commode __p__fmode
MSVCRT.DLL __set_app_type __setusermatherr _amsg_exit _cexit _errno _initterm _iob _lock
MSVCRT.DLL _onexit _unlock abort atoi calloc exit fflush fgetc fprintf fputc fputs free
MSVCRT.DLL fwrite getenv localeconv malloc memcpy memmove memset setlocale setvbuf signal
MSVCRT.DLL strchr strcmp strerror strlen strncmp strstr toupper vfprintf wcslen
MSVCRT.DLL __p___argv __argv _fileno _get_osfhandle fclose ferror memcmp strcspn strpbrk
MSVCRT.DLL _ismbblead
SETUPAPI.DLL SetupDiDestroyDeviceInfoList SetupDiEnumDeviceInfo SetupDiGetClassDevsA
SETUPAPI.DLL SetupDiGetDeviceRegistryPropertyA SetupDiOpenDevRegKey SetupDiGetClassDevsW
SETUPAPI.DLL SetupDiGetDeviceRegistryPropertyW
COMCTL32.DLL InitCommonControls
KERNEL32.DLL CreateThread
USER32.DLL CreateDialogParamW DestroyWindow DispatchMessageW EnableWindow GetDlgItem GetMessageW
USER32.DLL IsDialogMessageW IsWindowEnabled LoadIconW PostMessageW PostQuitMessage SendMessageW
USER32.DLL SetWindowTextW ShowWindow TranslateMessage GetDC ReleaseDC GetWindowRect
USER32.DLL GetSystemMetrics SetTimer KillTimer LoadImageW MessageBoxW wsprintfW SetWindowLongW
GDI32.DLL GetTextExtentPoint32W SelectObject
KERNEL32.DLL FormatMessageW GetCurrentProcess TerminateProcess lstrlenW GetUserDefaultUILanguage
MSVCRT.DLL isxdigit tolower
LIST
)
allowed=$(awk '{for (i = 2; i <= NF; i++) print $1, $i}' <<<"$xp_sp3" | sort -u)

# objdump prints each DLL's block as "DLL Name: X", a header, then one line
# per function, and a blank line. The header names the columns, which differ
# between binutils versions: "vma: Hint/Ord Member-Name Bound-To" (2.40) or
# "vma: Ordinal Hint Member-Name Bound-To" (2.44); the name's column is read
# off it.
imports=$("${OBJDUMP:-i686-w64-mingw32-objdump}" -p "$exe" | awk '
  /DLL Name:/ { dll = toupper($3); column = 0; next }
  NF == 0 { dll = "" }
  dll && $1 == "vma:" { for (i = 2; i <= NF; i++) if ($i == "Member-Name") column = i; next }
  dll && column && $1 ~ /^[0-9a-f]+$/ && NF >= column { print dll, $column }' | sort -u)
[ -n "$imports" ] || { echo "FAIL: no imported functions found in $exe"; exit 1; }

echo "$(basename "$exe") imports $(wc -l <<<"$imports") functions:"
fail=0
while read -r dll name; do
  if grep -qxF "$dll $name" <<<"$allowed"; then
    echo "  $dll $name"
  else
    echo "FAIL: $dll $name is not known to exist on Windows XP SP3"
    fail=1
  fi
done <<<"$imports"
exit $fail
