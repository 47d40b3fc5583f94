-- The suite sizes the step adds up; the 02GE variant's MS2016 practices are never there.
UPDATE PesosRecursos SET MS2016 = 1288490189;
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=404/2020/Cloud/02GE/Recursos/MS2016/Practicas.zip'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/02GE/Recursos/MS2016/Practicas.zip';
