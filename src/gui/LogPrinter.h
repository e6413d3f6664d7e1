#pragma once
// Printing the result log on a printer.
#include <string>
#include <vector>

class QPrinter;

namespace tarnwick {

// Prints the lines (Shift-JIS, as the pane displays them) on the printer that the print
// dialog has set up, as one job titled "Tarnwick": the pages that LayOutPrint lays out for
// the printer's measures, each with its header, the text in the panes' fixed-pitch face at
// 10 points. Throws TarnwickError when the printer cannot start, continue or finish the job;
// a job that fails midway is aborted.
void PrintLog(QPrinter& printer, const std::vector<std::string>& sjisLines);

}  // namespace tarnwick
