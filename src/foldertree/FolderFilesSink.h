// Where the folder tree shows the files of the folder it shows: the main
// dialog implements it and passes the folder to its source list, so the tree
// knows nothing of the lists.
#pragma once

class IFolderFilesSink {
public:
    // folder is the full path of the folder now shown; empty while no
    // folder is selected. Never null.
    virtual void ShowFolderFiles(const wchar_t* folder) = 0;

protected:
    ~IFolderFilesSink() = default;
};
