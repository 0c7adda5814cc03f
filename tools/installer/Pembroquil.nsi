; The Pembroquil installer. Built by tools/installer/make-dist.sh, which
; stages the shipped files and writes the list of them (FILELIST); do not run
; makensis on this script by hand.
;
;   makensis -DVERSION=2.06 -DVERSION4=2.0.6.0 -DSTAGE=<staged folder>
;            -DFILELIST=<files.nsh> -DOUTFILE=<setup.exe> -DICON=<icon>
;            [-DARCH=amd64] Pembroquil.nsi
;
; Program files (the program, the plug-ins, the help) are replaced on every
; install and removed by the uninstaller. Keyword and assist files may have
; been edited by the user: an install never overwrites one that differs from
; the copy it ships, but writes its copy beside it as "<name>.new"; the
; uninstaller removes a keyword or assist file (and such a ".new" file) only
; while it still equals the shipped copy. Anything else in the program folder
; (exported tag files, file lists, the user's own files) and the user's
; settings under HKCU\Software\Tavenor\Pembroquil are never touched.

Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!ifndef VERSION | VERSION4 | STAGE | FILELIST | OUTFILE | ICON
  !error "VERSION, VERSION4, STAGE, FILELIST, OUTFILE and ICON must be defined"
!endif

!define PRODUCT "Pembroquil"
!define PUBLISHER "Tavenor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pembroquil"
!define UNINSTALLER "uninstall.exe"

!ifdef ARCH
  !if "${ARCH}" == "amd64"
    Target amd64-unicode
    !define PQ_64BIT
  !endif
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!ifdef PQ_64BIT
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An update goes where the last install went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) ${PUBLISHER}. All rights reserved."

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pembroquil.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

!include "${FILELIST}"

; SameFiles: pops two paths, pushes 1 when both files exist and hold the same
; bytes, else 0. Defined for the installer and (with "un.") the uninstaller.
!macro PQ_DEFINE_SAME_FILES UN
Function ${UN}SameFiles
  Exch $R0
  Exch
  Exch $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  StrCpy $R6 0
  ClearErrors
  FileOpen $R2 $R1 r
  ${If} ${Errors}
    Goto done
  ${EndIf}
  FileOpen $R3 $R0 r
  ${If} ${Errors}
    FileClose $R2
    Goto done
  ${EndIf}
  FileSeek $R2 0 END $R4
  FileSeek $R3 0 END $R5
  ${If} $R4 == $R5
    FileSeek $R2 0 SET
    FileSeek $R3 0 SET
    ${Do}
      ClearErrors
      FileReadByte $R2 $R4
      ${If} ${Errors}
        StrCpy $R6 1
        ${Break}
      ${EndIf}
      FileReadByte $R3 $R5
      ${IfThen} $R4 != $R5 ${|} ${Break} ${|}
    ${Loop}
  ${EndIf}
  FileClose $R3
  FileClose $R2
done:
  StrCpy $R0 $R6
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
!macroend
!insertmacro PQ_DEFINE_SAME_FILES ""
!insertmacro PQ_DEFINE_SAME_FILES "un."

; Install side of the shipped-file list.
!macro PQ_INSTALL_PROGRAM_FILE DIR NAME
  SetOutPath "$INSTDIR\${DIR}"
  File "${STAGE}/${DIR}${NAME}"
!macroend

!macro PQ_INSTALL_DATA_FILE DIR NAME
  SetOutPath "$INSTDIR\${DIR}"
  ${If} ${FileExists} "$INSTDIR\${DIR}${NAME}"
    File "/oname=$INSTDIR\${DIR}${NAME}.new" "${STAGE}/${DIR}${NAME}"
    Push "$INSTDIR\${DIR}${NAME}"
    Push "$INSTDIR\${DIR}${NAME}.new"
    Call SameFiles
    Pop $0
    ${If} $0 == 1
      Delete "$INSTDIR\${DIR}${NAME}.new"
    ${Else}
      DetailPrint "変更されている ${DIR}${NAME} を残し、新しい版を ${NAME}.new に保存しました"
    ${EndIf}
  ${Else}
    File "${STAGE}/${DIR}${NAME}"
  ${EndIf}
!macroend

; Uninstall side: program files go; a data file (or our ".new" copy of it)
; goes only while it equals the shipped bytes, which the uninstaller carries.
!macro PQ_REMOVE_PROGRAM_FILE DIR NAME
  Delete "$INSTDIR\${DIR}${NAME}"
!macroend

!macro PQ_REMOVE_DATA_FILE DIR NAME
  File "/oname=$PLUGINSDIR\shipped.tmp" "${STAGE}/${DIR}${NAME}"
  Push "$INSTDIR\${DIR}${NAME}"
  Push "$PLUGINSDIR\shipped.tmp"
  Call un.SameFiles
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\${DIR}${NAME}"
  ${EndIf}
  Push "$INSTDIR\${DIR}${NAME}.new"
  Push "$PLUGINSDIR\shipped.tmp"
  Call un.SameFiles
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\${DIR}${NAME}.new"
  ${EndIf}
  Delete "$PLUGINSDIR\shipped.tmp"
!macroend

Function .onInit
!ifdef PQ_64BIT
  SetRegView 64
!endif
FunctionEnd

Function un.onInit
!ifdef PQ_64BIT
  SetRegView 64
!endif
FunctionEnd

Section "Pembroquil" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOverwrite on
  !insertmacro PQ_SHIPPED_FILES PQ_INSTALL

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Pembroquil.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} ヘルプ.lnk" "$INSTDIR\Pembroquil.chm"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pembroquil.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  InitPluginsDir
  !insertmacro PQ_SHIPPED_FILES PQ_REMOVE

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} ヘルプ.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$INSTDIR\${UNINSTALLER}"
  ; Folders go only when empty: what the user keeps there stays.
  RMDir "$INSTDIR\Plugins"
  RMDir "$INSTDIR\Keyword"
  RMDir "$INSTDIR\Assist"
  RMDir "$INSTDIR"
SectionEnd
