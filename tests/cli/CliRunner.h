#pragma once

#include <QStringList>

#include <string>

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the marbelle command with the arguments and collects what it printed.
Outcome Marbelle(const QStringList& arguments);
