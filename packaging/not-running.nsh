; Uninstaller: a running program keeps its files, so rather than report success with them left
; behind, ask for it to be closed, and give up (exit code 2, nothing removed) when it is not.
; A running .exe cannot be opened for writing; opening it for appending leaves it as it is.
Function un.CheckNotRunning
  Pop $1
  retry:
  IfFileExists $1 0 free
  ClearErrors
  FileOpen $0 $1 a
  IfErrors running
  FileClose $0
  Goto free
  running:
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Loopsmith is running ($1).$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Abort "Loopsmith is running: nothing was removed."
  free:
FunctionEnd
