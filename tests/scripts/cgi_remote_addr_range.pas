program ranges;
var A : string;
   B : string;
   C : string;
   D : string;
   E : string;
   F : string;
   G : string;
begin
  read_remote_addr(A[1 .. 3]);
  read_remote_addr(B[5 .. 7]);
  read_remote_addr(C[9 .. 12]);
  read_remote_addr(D[10 .. 12]);
  writeln('[', A, '][', B, '][', C, '][', D, ']');
  read_remote_addr(A[0 .. 2]);
  read_remote_addr(B[11 .. 40]);
  read_remote_addr(C[13 .. 20]);
  read_remote_addr(D[7 .. 5]);
  read_remote_addr(E[9 .. 99]);
  read_remote_addr(F[1 to 3]);
  read_remote_addr(G)[2 .. 3];
  writeln('[', A, '][', B, '][', C, '][', D, '][', E, '][', F, '][', G, ']');
end.
