; SPDX-License-Identifier: MIT
; A 64-bit per-user installer for the Windows card (no administrator rights needed): the program
; in the user's programs folder, a Start menu entry and an uninstaller.
; makensis -DEXE=path\xmascard.exe -DICON=path\tree.ico -DVERSION=1.00 -DOUT=setup.exe
Target amd64-unicode
Name "xmascard"
OutFile "${OUT}"
Icon "${ICON}"
UninstallIcon "${ICON}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\xmascard"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "xmascard"
VIAddVersionKey "FileDescription" "Merry Christmas and Happy New Year (installer)"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "xmascard"
  SetOutPath "$INSTDIR"
  File "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Merry Christmas and Happy New Year.lnk" "$INSTDIR\xmascard.exe"
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\xmascard" "DisplayName" "xmascard"
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\xmascard" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\xmascard" "DisplayVersion" "${VERSION}"
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Merry Christmas and Happy New Year.lnk"
  Delete "$INSTDIR\xmascard.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\xmascard"
SectionEnd
