// The operand scanners shared by structure forming and the row editing
// commands: they collect the name or run of compound atoms that stands next
// to an operator, stopping at spaces, operator signs and keywords.
#pragma once

class CEqExpr;

class OperandScan {
  public:
    // Collects leftwards from g: identifier characters and compound atoms,
    // each clone inserted at the front of op. A keyword that ends where an
    // identifier starts (seen from the right) stops the scan. Returns the
    // last position not taken (-1 when the scan reached the row's start).
    static int Leftward(const CEqExpr& row, int g, CEqExpr& op);
    // The mirror image from m, appending clones to op. Returns the first
    // position not taken.
    static int Rightward(const CEqExpr& row, int m, CEqExpr& op);
    // The positions the scans would stop at, taking nothing.
    static int LeftwardStop(const CEqExpr& row, int g);
    static int RightwardStop(const CEqExpr& row, int m);

    // The nearest position at or left of g that is not a space (may be -1).
    static int SkipSpacesLeft(const CEqExpr& row, int g);
    // The nearest position at or right of m that is not a space, never
    // beyond the end atom.
    static int SkipSpacesRight(const CEqExpr& row, int m);

    // A new empty row with the owner of row, ready to take clones.
    static CEqExpr* NewRow(const CEqExpr& row);
    // A new row holding clones of the atoms [from, to) of row.
    static CEqExpr* CloneRange(const CEqExpr& row, int from, int to);

  private:
    // The scans; op, when not null, receives clones of what they take.
    static int ScanLeft(const CEqExpr& row, int g, CEqExpr* op);
    static int ScanRight(const CEqExpr& row, int m, CEqExpr* op);
};
