-- The Leeme.txt of the 02GE variant is never there.
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=404/2020/Local/02GE/Instalador/Leeme.txt'
 WHERE RutaServidor = '${HTTP}/2020/Local/02GE/Instalador/Leeme.txt';
