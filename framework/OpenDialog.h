// TOpenDialog: the system's file-open dialog. Filter is "Name|*.ext|Name|*.a;*.b";
// Execute answers whether the user chose a file, which is then in FileName (wide path).
#pragma once
#include "framework/Component.h"

#include <string>

class TOpenDialog : public TComponent {
    KIVORA_CLASS(TOpenDialog, TComponent)
public:
    using TComponent::TComponent;
    const std::wstring& FileName() const { return FFileName; }
    void SetFileName(const std::wstring& name) { FFileName = name; }
    const std::wstring& Filter() const { return FFilter; }
    void SetFilter(const std::wstring& filter) { FFilter = filter; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int index) { FFilterIndex = index; }
    const std::wstring& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::wstring& dir) { FInitialDir = dir; }
    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& title) { FTitle = title; }
    const std::wstring& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::wstring& ext) { FDefaultExt = ext; }
    bool Execute();

private:
    std::wstring FFileName, FFilter, FInitialDir, FTitle, FDefaultExt;
    int FFilterIndex = 1;
};

// The filter in the form the system dialog takes: '|' becomes '\0', ending in "\0\0".
std::wstring DialogFilter(const std::wstring& filter);
