-- The suite sizes the step adds up; the 02GE variant's CS6 practices are never there.
UPDATE PesosRecursos SET CS6 = 1288490189, MS2010 = 0;
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=404/2020/Local/02GE/Recursos/CS6/Practicas.zip'
 WHERE RutaServidor = '${HTTP}/2020/Local/02GE/Recursos/CS6/Practicas.zip';
