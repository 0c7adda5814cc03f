// Resource identifiers that the framework's own windows load from the
// program's resources. Plain #defines: the resource script includes this too.
#ifndef PQ_FRAMEWORK_WIN_FRAMEWORKRES_H
#define PQ_FRAMEWORK_WIN_FRAMEWORKRES_H

// The file dialog with a base path panel.
#define IDD_FILEDLGEX                 234
#define IDC_FILEDLGEX_BASE            2340
#define IDC_FILEDLGEX_BROWSE          2341

#endif
