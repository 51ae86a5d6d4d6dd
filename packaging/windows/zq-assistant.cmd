@echo off
rem Starts the assistant in the operator's own folder, %APPDATA%\zq-assistant, made on the first
rem start: config.ini, SkipItems, Files\ and Backups\ are kept there from one start to the next, and
rem stay when a newer zip replaces this folder. zq-assistant.exe started by itself works in the
rem current folder instead, as zq-cli does.
setlocal
set "folder=%APPDATA%\zq-assistant"
if not exist "%folder%\" mkdir "%folder%"
cd /d "%folder%" || exit /b 1
start "" "%~dp0zq-assistant.exe" %*
