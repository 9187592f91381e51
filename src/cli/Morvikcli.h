#pragma once
// morvik-cli: lists, extracts, creates and edits group files from the command line.

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of morvik-cli.
enum TExitStatus : int {
    ExitOk = 0,
    ExitFindings = 1, // check found something to report
    ExitNoMatch = 1,  // identify found no definition of the group file
    ExitUsage = 2,    // a bad command line, an entry not there, a file or an entry name in the way
    ExitBadData = 3,  // a bad or hostile group file, or files that cannot form one
    ExitIo = 4,       // the file system failed or refused
};

// Runs the tool with its arguments (without the program's name). Output goes to out, messages
// to err; "--from -" reads the names from in.
int RunMorvikCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);
