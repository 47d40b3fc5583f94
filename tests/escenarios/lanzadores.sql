-- A launcher whose list has an empty name between two (Word;;Access;), and PowerPoint's launcher
-- never there.
INSERT INTO Lanzadores VALUES ('LANZA304AT', 1, 'Word;;Access;', 0);
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=404/2020/Lanzadores/LanzadorPowerPoint.exe'
 WHERE RutaServidor = '${HTTP}/2020/Lanzadores/LanzadorPowerPoint.exe';
